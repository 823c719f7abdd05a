#include "wizard/step_base.h"

#include "device/cls_compass.h"

namespace wizard {

void TestCompassCollection::add(device::clsCompass &compass)
{
    m_entries.push_back({"c" + std::to_string(compass.Id), &compass});
}

device::clsCompass *StepBase::TestCompass(std::int16_t Id) const
{
    const auto &entries = m_testCompasses.entries();
    if (Id < 1 || static_cast<std::size_t>(Id) > entries.size())
        return nullptr;
    return entries[static_cast<std::size_t>(Id - 1)].compass;
}

std::int16_t StepBase::CompassesUnderTest() const
{
    return static_cast<std::int16_t>(m_testCompasses.entries().size());
}

void StepBase::InitializeStep(device::clsCompass *&RefCompass, const TestCompassCollection &TestCompasses,
                              device::clsAutomation *&Automation)
{
    m_refCompass = RefCompass;
    m_automation = Automation;
    m_testCompasses = {};
    for (const auto &entry : TestCompasses.entries())
        m_testCompasses.add(*entry.compass);
}

} // namespace wizard
