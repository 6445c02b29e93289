// Quorin — batch file renamer. Licensed under the GNU GPL v3 or later.
#include "RememberedFolder.h"

#include "platform/IniFile.h"

#include <QStandardPaths>

namespace quorin {

namespace {

QString configFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
}

const QString Section = QStringLiteral("HistoryPath");
const QString Key = QStringLiteral("Path");

} // namespace

QString settingsFilePath()
{
    return configFolder() + QStringLiteral("/Quorin.ini");
}

void rememberFolder(const QString &folder)
{
    WriteIniValue(settingsFilePath(), Section, Key, folder);
}

QString rememberedFolder()
{
    return ReadIniValue(settingsFilePath(), Section, Key);
}

} // namespace quorin
