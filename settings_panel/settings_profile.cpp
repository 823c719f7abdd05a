#include "settings_panel/settings_profile.h"

#include "protocol/setting_table.h"
#include "settings_panel/record_text.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLocale>

namespace settings_panel {

namespace {

const QString Format = QStringLiteral("compass-bench settings profile");

QString profileText(const char *english)
{
    return QCoreApplication::translate("settings_panel::SettingsProfile", english);
}
constexpr int FormatVersion = 1;

// The module's identity, kept as information: a profile never sets it.
const char *const Identity[] = {"SERIAL_NUMBER", "FW_VERSION", "FW_DATE"};

QJsonValue jsonValue(const protocol::CompassSettings &settings, const protocol::RecordMember &member)
{
    const std::string text = RecordText(settings, member, '.');
    if (std::holds_alternative<bool protocol::CompassSettings::*>(member))
        return text == "1";
    if (std::holds_alternative<std::string protocol::CompassSettings::*>(member))
        return QString::fromStdString(text);
    // A single float as its seven digits, not as the double nearest to it.
    return QString::fromStdString(text).toDouble();
}

std::string shortest(double number)
{
    return QByteArray::number(number, 'g', QLocale::FloatingPointShortest).toStdString();
}

// How the file writes a value that is no number, text or true/false.
std::string writtenAs(const QJsonValue &value)
{
    if (value.isArray())
        return QJsonDocument(value.toArray()).toJson(QJsonDocument::Compact).toStdString();
    if (value.isObject())
        return QJsonDocument(value.toObject()).toJson(QJsonDocument::Compact).toStdString();
    return "null";
}

ProfileValue profileValue(const QString &name, const QJsonValue &value)
{
    ProfileValue out{name.toStdString(), std::nullopt, {}};
    if (value.isDouble()) {
        out.text = shortest(value.toDouble());
        out.written = *out.text;
    } else if (value.isBool()) {
        out.text = value.toBool() ? "True" : "False";
        out.written = value.toBool() ? "true" : "false";
    } else if (value.isString()) {
        out.text = value.toString().toStdString();
        out.written = "\"" + *out.text + "\"";
    } else {
        out.written = writtenAs(value);
    }
    return out;
}

} // namespace

QJsonObject ProfileObject(const protocol::ConsoleState &state, const QDateTime &saved)
{
    QJsonObject settings;
    QJsonObject module;
    for (const protocol::Setting &setting : protocol::Settings()) {
        if (!setting.dumpName || !state.DumpNamesSeen.count(setting.dumpName))
            continue;
        if (protocol::IsUserSetting(setting))
            settings.insert(QLatin1String(setting.dumpName), jsonValue(state.Settings, setting.member));
        for (const char *identity : Identity)
            if (std::string_view(identity) == setting.dumpName)
                module.insert(QLatin1String(identity), jsonValue(state.Settings, setting.member));
    }
    return QJsonObject{{"format", Format},
                       {"version", FormatVersion},
                       {"saved", saved.toString(Qt::ISODate)},
                       {"module", module},
                       {"settings", settings}};
}

QByteArray ProfileJson(const protocol::ConsoleState &state, const QDateTime &saved)
{
    return QJsonDocument(ProfileObject(state, saved)).toJson(QJsonDocument::Indented);
}

QJsonObject DumpObject(const protocol::ConsoleState &state)
{
    QJsonObject dump;
    for (const protocol::Setting &setting : protocol::Settings())
        if (setting.dumpName && state.DumpNamesSeen.count(setting.dumpName))
            dump.insert(QLatin1String(setting.dumpName), jsonValue(state.Settings, setting.member));
    return dump;
}

ProfileRead ReadProfile(const QByteArray &json)
{
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (parseError.error != QJsonParseError::NoError)
        return {
            std::nullopt,
            profileText("It is not JSON: %1 at character %2.").arg(parseError.errorString()).arg(parseError.offset)};
    const QJsonObject root = document.object();
    if (root.value("format").toString() != Format)
        return {std::nullopt,
                profileText("It is no settings profile of this program: its \"format\" is not \"%1\".").arg(Format)};
    const int version = root.value("version").toInt(0);
    if (version > FormatVersion)
        return {std::nullopt, profileText("It was saved by a newer program (profile version %1); this program "
                                          "reads version %2. Update the program to load it.")
                                  .arg(version)
                                  .arg(FormatVersion)};
    if (version < 1 || !root.value("settings").isObject())
        return {std::nullopt, profileText("Its version or its \"settings\" are missing or damaged.")};

    SettingsProfile profile;
    const QJsonObject settings = root.value("settings").toObject();
    for (auto it = settings.begin(); it != settings.end(); ++it)
        profile.settings.push_back(profileValue(it.key(), it.value()));
    const QJsonObject module = root.value("module").toObject();
    profile.serialNumber = module.value("SERIAL_NUMBER").toString();
    profile.firmwareVersion = module.value("FW_VERSION").toString();
    profile.firmwareDate = module.value("FW_DATE").toString();
    profile.saved = root.value("saved").toString();
    return {std::move(profile), {}};
}

} // namespace settings_panel
