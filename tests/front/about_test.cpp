// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "app/aboutfrontend.h"
#include "front/qt/dialog_style.h"
#include "support/qt_program.h"
#include "support/widgets.h"

#include <QDesktopServices>
#include <QImage>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTextDocument>
#include <QtTest/QTest>
#include <gtest/gtest.h>

namespace {

// The values CMake was configured with, handed in apart from the generated header.
const QString kVersion = QStringLiteral(ABOUT_EXPECTED_VERSION);
const QString kAuthor = QString::fromUtf8(ABOUT_EXPECTED_AUTHOR);
const QString kEmail = QString::fromUtf8(ABOUT_EXPECTED_EMAIL);
const QString kHomepage = QString::fromUtf8(ABOUT_EXPECTED_HOMEPAGE);

// What a label shows, as plain text with its line breaks.
QString Shown(const QLabel* label) {
    QTextDocument document;
    const bool rich = Qt::mightBeRichText(label->text()) || label->textFormat() == Qt::RichText;
    rich ? document.setHtml(label->text()) : document.setPlainText(label->text());
    return document.toRawText().replace(QChar::LineSeparator, u'\n').replace(QChar::Nbsp, u' ');
}

// Takes the addresses the desktop would open in a browser.
class Browser : public QObject {
    Q_OBJECT
public:
    Browser() {
        QDesktopServices::setUrlHandler(QStringLiteral("https"), this, "Open");
        QDesktopServices::setUrlHandler(QStringLiteral("http"), this, "Open");
    }
    ~Browser() override {
        QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
        QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
    }
    QStringList opened;
public slots:
    void Open(const QUrl& url) { opened << url.toString(); }
};

class AboutBox : public ::testing::Test {
protected:
    void FlushDeletes() { QtProgram::FlushDeletes(); }
    QWidget* Open() {
        return program.main.About_Click(), program.Window(program.main.aboutDialog());
    }

    QtProgram program;
};

// The windows show the icon from bare pixels; they must be the icon file's.
TEST(ProgramIcon, IsThePictureOfTheIconFile) {
    const QImage file =
        QImage(QStringLiteral(ABOUT_ICON_PNG)).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    ASSERT_FALSE(file.isNull());
    const QImage shown =
        qtfront::ProgramIcon().pixmap(file.size()).toImage().convertToFormat(file.format());
    EXPECT_EQ(shown, file);
}

TEST_F(AboutBox, ShowsTheBuildsNameCreditAndHomepageTopToBottom) {
    QWidget* box = Open();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->windowTitle(), QStringLiteral("About the House Vorlanes' Frontend"));
    EXPECT_EQ(box->findChild<QPushButton*>("OKButton")->text(), QStringLiteral("Close"));
    EXPECT_TRUE(kVersion.contains(QRegularExpression(QStringLiteral("^\\d+\\.\\d+\\.\\d+$"))));
    const std::pair<const char*, QString> rows[] = {
        {"Anglish", "House Vorlanes' Frontend V" + kVersion},
        {"Label2", kAuthor + " - " + kEmail},
        {"Label1", "Homepage : " + kHomepage}};
    int bottom = -1;
    for (const auto& [name, text] : rows) {
        SCOPED_TRACE(name);
        const auto* label = box->findChild<QLabel*>(name);
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(Shown(label), text);
        EXPECT_GT(label->geometry().top(), bottom) << "overlaps or stands above the one before";
        EXPECT_LE(label->sizeHint().width(), label->width()) << "text cut off";
        bottom = label->geometry().bottom();
    }
}

TEST_F(AboutBox, EscDoesNothingEnterOnTheFocusedCloseCloses) {
    const std::tuple<const char*, Qt::Key, bool> cases[] = {
        {nullptr, Qt::Key_Escape, false},
        {"OKButton", Qt::Key_Escape, false},
        {"Label1", Qt::Key_Return, false},
        {"OKButton", Qt::Key_Return, true},
        {"OKButton", Qt::Key_Enter, true}}; // null: the window itself
    for (const auto& [name, key, closes] : cases) {
        SCOPED_TRACE(testing::Message() << (name ? name : "window") << " key " << key);
        QPointer<QWidget> box = Open();
        QWidget* target = name ? box->findChild<QWidget*>(name) : box.data();
        target->setFocus();
        QTest::keyClick(target, key);
        FlushDeletes();
        EXPECT_EQ(box.isNull(), closes);
    }
}

TEST_F(AboutBox, TheHomepageIsNoTabStopAndOpensByMouseOnly) {
    Browser browser;
    QWidget* box = Open();
    auto* homepage = box->findChild<QLabel*>("Label1");
    EXPECT_EQ(homepage->focusPolicy(), Qt::NoFocus);
    const QStringList all = {"OKButton", "Anglish", "Label1", "Label2"};
    EXPECT_EQ(TabOrder(box->findChild<QWidget*>("OKButton"), all), QStringList{"OKButton"});

    homepage->setFocus(); // even if it had the focus somehow
    QTest::keyClick(homepage, Qt::Key_Return);
    EXPECT_TRUE(browser.opened.isEmpty());
    const QFontMetrics metrics(homepage->font());
    const QPoint onTheAddress(metrics.horizontalAdvance(QStringLiteral("Homepage : ")) + 10,
                              metrics.height() / 2 + homepage->margin());
    QTest::mouseClick(homepage, Qt::LeftButton, {}, onTheAddress);
    EXPECT_EQ(browser.opened, QStringList{kHomepage});
}

} // namespace

#include "about_test.moc"
