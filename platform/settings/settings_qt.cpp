#include "platform/settings/settings.h"

#include <QFile>
#include <QFileInfo>
#include <QSettings>

namespace platform {
namespace {

QString Name(const std::string& section, const std::string& key) {
    return QString::fromLocal8Bit(section) + QLatin1Char('/') + QString::fromLocal8Bit(key);
}

// Text in the local encoding is stored as text, readable in the file; other
// bytes (a path in the emulator's code page) as bytes, so none is replaced.
QVariant Stored(const std::string& value) {
    const QByteArray bytes = QByteArray::fromStdString(value);
    const QString text = QString::fromLocal8Bit(bytes);
    if (text.toLocal8Bit() == bytes) {
        return text;
    }
    return bytes;
}

std::string Bytes(const QVariant& stored) {
    if (stored.typeId() == QMetaType::QByteArray) {
        return stored.toByteArray().toStdString();
    }
    return stored.toString().toLocal8Bit().toStdString();
}

// The user's native store: the registry on Windows, an INI-style file under
// $XDG_CONFIG_HOME (default ~/.config) elsewhere.
class QtSettingsStore final : public SettingsStore {
public:
    std::string Read(const std::string& application, const std::string& section,
                     const std::string& key) override {
        QSettings settings(QSettings::NativeFormat, QSettings::UserScope,
                           QString::fromLocal8Bit(application));
        return Bytes(settings.value(Name(section, key)));
    }

    SaveResult Save(const std::string& application, const std::string& section,
                    const std::string& key, const std::string& value) override {
        QSettings settings(QSettings::NativeFormat, QSettings::UserScope,
                           QString::fromLocal8Bit(application));
        const QString name = Name(section, key);
        const bool had = settings.contains(name);
        const QVariant old = settings.value(name);
        settings.setValue(name, Stored(value));
        settings.sync();
        if (settings.status() == QSettings::NoError) {
            MakePrivate(settings.fileName());
            return {};
        }
        // QSettings keeps serving an unsaved value from its cache to every reader
        // in this process; put the old one back so the store reads as before.
        if (had) {
            settings.setValue(name, old);
        } else {
            settings.remove(name);
        }
        settings.sync();
        return {false, Reason(settings.fileName()).toLocal8Bit().toStdString()};
    }

private:
    static void MakePrivate(const QString& fileName) {
        if (QFileInfo(fileName).isFile()) {
            QFile::setPermissions(fileName, QFile::ReadOwner | QFile::WriteOwner);
        }
    }

    static QString Reason(const QString& fileName) {
        const QFileInfo file(fileName);
        const QFileInfo dir(file.absolutePath());
        if (file.exists() && !file.isWritable()) {
            return QStringLiteral("%1 is read-only.").arg(fileName);
        }
        if (dir.exists() && !dir.isWritable()) {
            return QStringLiteral("the directory %1 is not writable.").arg(dir.filePath());
        }
        if (!dir.exists()) {
            return QStringLiteral("the directory %1 could not be created.").arg(dir.filePath());
        }
        return QStringLiteral("%1 could not be written.").arg(fileName);
    }
};

} // namespace

SettingsStore& SystemSettings() {
    static QtSettingsStore store;
    return store;
}

} // namespace platform
