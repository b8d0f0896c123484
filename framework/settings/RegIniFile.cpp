#include "settings/RegIniFile.h"

#include "core/Strings.h"
#include "core/SysUtils.h"
#include "graphics/QtConvert.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSettings>
#include <QStandardPaths>

#include <utility>

namespace {

// QSettings reads "/" and "\" in keys as group separators, so names are escaped: "%" as %25, "/" as %2F,
// "\" as %5C.
QString Escape(const std::string& name) {
    QString result;
    for (QChar c : ToQString(name)) {
        if (c == QLatin1Char('%'))
            result += QStringLiteral("%25");
        else if (c == QLatin1Char('/'))
            result += QStringLiteral("%2F");
        else if (c == QLatin1Char('\\'))
            result += QStringLiteral("%5C");
        else
            result += c;
    }
    return result;
}

std::string Unescape(const QString& name) {
    QString result = name;
    result.replace(QStringLiteral("%2F"), QStringLiteral("/"), Qt::CaseInsensitive);
    result.replace(QStringLiteral("%5C"), QStringLiteral("\\"), Qt::CaseInsensitive);
    result.replace(QStringLiteral("%25"), QStringLiteral("%"));
    return FromQString(result);
}

QString Key(const std::string& section, const std::string& name) {
    return Escape(section) + QLatin1Char('/') + Escape(name);
}

} // namespace

TRegIniFile::TRegIniFile(const std::string& keyPath) : FKeyPath(keyPath) {
    QStringList components;
    for (const QString& part :
         ToQString(keyPath).split(QRegularExpression(QStringLiteral("[\\\\/]")), Qt::SkipEmptyParts)) {
        if (part == QLatin1String(".") || part == QLatin1String(".."))
            throw ERegistryException(Format("Invalid registry key %s", keyPath));
        components << part;
    }
    if (components.isEmpty()) throw ERegistryException(Format("Invalid registry key %s", keyPath));
    const QString last = components.takeLast();
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    const QString folder = base + QStringLiteral("/formwright/") + components.join(QLatin1Char('/'));
    const QString file = QDir(folder).filePath(last + QStringLiteral(".ini"));
    FFileName = FromQString(file);
    if (!QFileInfo::exists(file)) {
        QFile created(file);
        if (!QDir().mkpath(folder) || !created.open(QIODevice::WriteOnly))
            throw ERegistryException(Format("Failed to create key %s", keyPath));
    }
    FSettings = std::make_unique<QSettings>(file, QSettings::IniFormat);
}

TRegIniFile::~TRegIniFile() = default;

void TRegIniFile::EndUpdate() {
    if (FUpdateDepth == 0 || --FUpdateDepth > 0 || !FUnwritten) return;
    Flush(*std::exchange(FUnwritten, std::nullopt));
}

void TRegIniFile::Flush(const std::string& what) {
    if (FUpdateDepth > 0) {
        FUnwritten = what;
        return;
    }
    FSettings->sync();
    if (FSettings->status() != QSettings::NoError)
        throw ERegistryException(Format("Failed to set data for '%s'", what));
}

std::string TRegIniFile::ReadString(const std::string& section, const std::string& name,
                                    const std::string& defaultValue) const {
    const QVariant value = FSettings->value(Key(section, name));
    return value.isValid() ? FromQString(value.toString()) : defaultValue;
}

void TRegIniFile::WriteString(const std::string& section, const std::string& name, const std::string& value) {
    FSettings->setValue(Key(section, name), ToQString(value));
    Flush(name);
}

int TRegIniFile::ReadInteger(const std::string& section, const std::string& name, int defaultValue) const {
    bool ok = false;
    const int value = ToQString(ReadString(section, name)).trimmed().toInt(&ok);
    return ok ? value : defaultValue;
}

void TRegIniFile::WriteInteger(const std::string& section, const std::string& name, int value) {
    WriteString(section, name, std::to_string(value));
}

bool TRegIniFile::ReadBool(const std::string& section, const std::string& name, bool defaultValue) const {
    return ReadInteger(section, name, defaultValue ? 1 : 0) != 0;
}

void TRegIniFile::WriteBool(const std::string& section, const std::string& name, bool value) {
    WriteInteger(section, name, value ? 1 : 0);
}

void TRegIniFile::ReadSection(const std::string& section, TStrings& names) const {
    names.BeginUpdate();
    names.Clear();
    FSettings->beginGroup(Escape(section));
    for (const QString& key : FSettings->childKeys())
        names.Add(Unescape(key));
    FSettings->endGroup();
    names.EndUpdate();
}

void TRegIniFile::ReadSectionValues(const std::string& section, TStrings& lines) const {
    lines.BeginUpdate();
    lines.Clear();
    FSettings->beginGroup(Escape(section));
    for (const QString& key : FSettings->childKeys())
        lines.Add(Unescape(key) + "=" + FromQString(FSettings->value(key).toString()));
    FSettings->endGroup();
    lines.EndUpdate();
}

void TRegIniFile::ReadSections(TStrings& sections) const {
    sections.BeginUpdate();
    sections.Clear();
    for (const QString& group : FSettings->childGroups())
        sections.Add(Unescape(group));
    sections.EndUpdate();
}

bool TRegIniFile::SectionExists(const std::string& section) const {
    return FSettings->childGroups().contains(Escape(section));
}

bool TRegIniFile::ValueExists(const std::string& section, const std::string& name) const {
    return FSettings->contains(Key(section, name));
}

void TRegIniFile::EraseSection(const std::string& section) {
    FSettings->remove(Escape(section));
    Flush(section);
}

void TRegIniFile::DeleteKey(const std::string& section, const std::string& name) {
    FSettings->remove(Key(section, name));
    Flush(name);
}
