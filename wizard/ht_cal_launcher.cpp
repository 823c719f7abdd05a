#include "wizard/ht_cal_launcher.h"

#include "wizard/dialog_result.h"
#include "wizard/frm_high_temp_cal.h"
#include "wizard/frm_ht_password.h"

namespace wizard {

std::int32_t RunHighTempCalibration(WizardHost &host, QWidget *parent)
{
    std::int32_t result = PasswordResult::Cancelled;
    {
        frmHTPassword password(host.platform(), PasswordTries::program(), parent);
        host.runModal(password);
        result = password.DialogResult();
    }
    if (result != PasswordResult::Accepted)
        return result;

    host.setCompassOwnsPort(true);
    {
        frmHighTempCal calibration(host, parent);
        calibration.Form_Load();
        host.runModal(calibration);
    }
    host.setCompassOwnsPort(false);
    return result;
}

} // namespace wizard
