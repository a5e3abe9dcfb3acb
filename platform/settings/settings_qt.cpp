// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "platform/settings/settings.h"

#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStringDecoder>

#ifndef _WIN32
#include <sys/stat.h>
#endif

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

// The file an application's store lives in, found without opening it: a FIFO
// there would block the opening for good.
QString StoreFile(const QString& application) {
    const QSettings probe(QSettings::NativeFormat, QSettings::UserScope,
                          application + QStringLiteral(".probe"));
    return QFileInfo(probe.fileName()).absolutePath() + QLatin1Char('/') + application +
           QStringLiteral(".conf");
}

// Whether every line is one the store writes: a section header, a comment,
// or key=value, in UTF-8. QSettings itself skips what it cannot read, so a
// rewrite would silently drop it.
bool Parses(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8.decode(bytes);
    if (utf8.hasError() || bytes.contains('\0')) {
        return false;
    }
    QString line;
    for (const QString& piece : text.split(QLatin1Char('\n'))) {
        line += piece;
        if (line.endsWith(QLatin1Char('\r'))) {
            line.chop(1);
        }
        qsizetype slashes = 0;
        while (slashes < line.size() && line[line.size() - 1 - slashes] == QLatin1Char('\\')) {
            ++slashes;
        }
        if (slashes % 2 == 1) {
            line.chop(1);
            continue; // an unescaped "\" at the end: the entry goes on in the next line
        }
        const QString t = line.trimmed();
        line.clear();
        if (t.isEmpty() || t.startsWith(QLatin1Char(';')) || t.startsWith(QLatin1Char('#'))) {
            continue;
        }
        if (t.startsWith(QLatin1Char('[')) ? !t.endsWith(QLatin1Char(']'))
                                           : !t.contains(QLatin1Char('='))) {
            return false;
        }
    }
    return true;
}

// Why the store's file cannot be used as it is, or the empty text.
QString Damage(const QString& application) {
    const QFileInfo file(StoreFile(application));
    if (!file.exists() && !file.isSymLink()) {
        return {};
    }
    if (!file.isFile()) {
        return QStringLiteral("is not a regular file");
    }
    QFile in(file.filePath());
    if (!in.open(QIODevice::ReadOnly) || !Parses(in.readAll())) {
        return QStringLiteral("could not be parsed");
    }
    return {};
}

// Files and directories made while this lives are the user's alone from their
// first byte; a chmod afterwards would leave a moment open to others.
#ifndef _WIN32
class PrivateCreation {
public:
    PrivateCreation() : previous_(::umask(077)) {}
    ~PrivateCreation() { ::umask(previous_); }
    PrivateCreation(const PrivateCreation&) = delete;
    PrivateCreation& operator=(const PrivateCreation&) = delete;

private:
    mode_t previous_;
};
#else
struct PrivateCreation {}; // the registry keeps each user's keys private
#endif

// The user's native store: the registry on Windows, an INI-style file under
// $XDG_CONFIG_HOME (default ~/.config) elsewhere.
class QtSettingsStore final : public SettingsStore {
public:
    std::string Read(const std::string& application, const std::string& section,
                     const std::string& key) override {
        if (!Damage(QString::fromLocal8Bit(application)).isEmpty()) {
            return {};
        }
        QSettings settings(QSettings::NativeFormat, QSettings::UserScope,
                           QString::fromLocal8Bit(application));
        return Bytes(settings.value(Name(section, key)));
    }

    SaveResult Save(const std::string& application, const std::string& section,
                    const std::string& key, const std::string& value) override {
        const PrivateCreation creation;
        const QString app = QString::fromLocal8Bit(application);
        QString note;
        if (const QString damage = Damage(app); !damage.isEmpty()) {
            const QString file = StoreFile(app);
            const QString aside = AsideName(file);
            if (!QFile::rename(file, aside)) {
                return {false,
                        QStringLiteral("%1 %2 and could not be set aside as %3.")
                            .arg(file, damage, aside)
                            .toLocal8Bit()
                            .toStdString(),
                        {}};
            }
            note = QStringLiteral("The settings file %1 %2: it was kept as %3 and replaced.")
                       .arg(file, damage, aside);
        }
        QSettings settings(QSettings::NativeFormat, QSettings::UserScope,
                           QString::fromLocal8Bit(application));
        const QString name = Name(section, key);
        const bool had = settings.contains(name);
        const QVariant old = settings.value(name);
        settings.setValue(name, Stored(value));
        settings.sync();
        if (settings.status() == QSettings::NoError) {
            MakePrivate(settings.fileName());
            return {true, {}, note.toLocal8Bit().toStdString()};
        }
        // QSettings keeps serving an unsaved value from its cache to every reader
        // in this process; put the old one back so the store reads as before.
        if (had) {
            settings.setValue(name, old);
        } else {
            settings.remove(name);
        }
        settings.sync();
        return {false, Reason(settings.fileName()).toLocal8Bit().toStdString(), {}};
    }

private:
    // A free name beside the file, so that no earlier damaged file is lost.
    static QString AsideName(const QString& file) {
        QString aside = file + QStringLiteral(".damaged");
        for (int n = 2; QFileInfo(aside).exists() || QFileInfo(aside).isSymLink(); ++n) {
            aside = file + QStringLiteral(".damaged-%1").arg(n);
        }
        return aside;
    }

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
