#include "app/aboutfrontend.h"
#include "app/frontend.h"
#include "support/fakes.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTextDocument>
#include <QtTest/QTest>
#include <gtest/gtest.h>

#include <memory>

namespace {

// The values CMake was configured with, handed in apart from the generated header.
const QString kVersion = QStringLiteral(ABOUT_EXPECTED_VERSION);
const QString kAuthor = QString::fromUtf8(ABOUT_EXPECTED_AUTHOR);
const QString kEmail = QString::fromUtf8(ABOUT_EXPECTED_EMAIL);
const QString kHomepage = QString::fromUtf8(ABOUT_EXPECTED_HOMEPAGE);

// What a label shows, as plain text with its line breaks.
QString Shown(const QLabel* label) {
    QTextDocument document;
    if (Qt::mightBeRichText(label->text()) || label->textFormat() == Qt::RichText) {
        document.setHtml(label->text());
    } else {
        document.setPlainText(label->text());
    }
    return document.toRawText().replace(QChar::LineSeparator, u'\n').replace(QChar::Nbsp, u' ');
}

void FlushDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

class AboutBox : public ::testing::Test {
protected:
    void SetUp() override {
        main = std::make_unique<Frontend>(system.services());
        about = new Aboutfrontend(*main);
        about->show();
    }
    void TearDown() override {
        delete about.data();
        main.reset();
    }
    template <class T> T* Child(const char* name) {
        return about->findChild<T*>(QString::fromLatin1(name));
    }

    fakes::System system;
    std::unique_ptr<Frontend> main;
    QPointer<Aboutfrontend> about;
};

// --- Texts ------------------------------------------------------------------

TEST_F(AboutBox, ShowsTheBuildsNameVersionCreditAndHomepage) {
    struct Case {
        const char* control;
        QString shown;
    };
    const Case cases[] = {
        {"Anglish", "House Vorlanes' Frontend V" + kVersion},
        {"Label2", kAuthor + " - " + kEmail},
        {"Label1", "Homepage : \n" + kHomepage},
    };
    EXPECT_EQ(about->windowTitle(), QStringLiteral("About the House Vorlanes' Frontend"));
    EXPECT_EQ(Child<QPushButton>("OKButton")->text(), QStringLiteral("Close"));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.control);
        auto* label = Child<QLabel>(c.control);
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(Shown(label), c.shown);
        EXPECT_FALSE(label->accessibleName().isEmpty());
    }
    EXPECT_TRUE(kVersion.contains(QRegularExpression(QStringLiteral("^\\d+\\.\\d+\\.\\d+$"))));
}

TEST_F(AboutBox, HomepageLinksToTheAddress) {
    auto* label = Child<QLabel>("Label1");
    EXPECT_TRUE(label->openExternalLinks());
    EXPECT_TRUE(label->text().contains("href=\"" + kHomepage.toHtmlEscaped() + "\""));
}

// --- Layout -----------------------------------------------------------------

TEST_F(AboutBox, CloseAtTopRightLabelsInOneColumnTopToBottomWholeTextShown) {
    const char* order[] = {"Anglish", "Label2", "Label1"};
    const int lines[] = {1, 1, 2};
    auto* button = Child<QPushButton>("OKButton");
    EXPECT_LT(button->geometry().top(), Twips(300));
    EXPECT_GT(button->geometry().left(), about->width() / 2);
    EXPECT_LE(button->geometry().right(), about->width());
    const QRect first = Child<QLabel>(order[0])->geometry();
    int bottom = -1;
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(order[i]);
        auto* label = Child<QLabel>(order[i]);
        const QRect g = label->geometry();
        EXPECT_EQ(g.left(), first.left());
        EXPECT_EQ(g.width(), first.width());
        EXPECT_GT(g.top(), bottom) << "overlaps or stands above the label before it";
        bottom = g.bottom();
        EXPECT_LT(g.right(), button->geometry().left()) << "runs under the button";
        EXPECT_LE(g.bottom(), about->height());
        // Nothing cut off: the text needs no more room than the label has.
        EXPECT_LE(label->sizeHint().width(), g.width());
        EXPECT_LE(label->sizeHint().height(), g.height());
        EXPECT_GE(g.height(), lines[i] * label->fontMetrics().height());
    }
}

TEST_F(AboutBox, TabGoesCloseThenNameThenHomepageThenCredit) {
    const char* order[] = {"OKButton", "Anglish", "Label1", "Label2"};
    QStringList seen;
    QWidget* w = Child<QWidget>(order[0]);
    for (int i = 0; i < 4 && w; ++i, w = w->nextInFocusChain()) {
        seen << w->objectName();
    }
    EXPECT_EQ(seen, QStringList({order[0], order[1], order[2], order[3]}));
}

// --- Keys -------------------------------------------------------------------

TEST_F(AboutBox, OnlyThePressedCloseButtonCloses) {
    struct Case {
        const char* target; // control that gets the key; null for the window
        Qt::Key key;
        const char* keyName;
        bool closes;
    };
    const Case cases[] = {
        {nullptr, Qt::Key_Escape, "Esc", false},     {"OKButton", Qt::Key_Escape, "Esc", false},
        {"Label1", Qt::Key_Return, "Return", false}, {"OKButton", Qt::Key_Return, "Return", true},
        {"OKButton", Qt::Key_Enter, "Enter", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.keyName);
        SCOPED_TRACE(c.target ? c.target : "window");
        if (!about) {
            about = new Aboutfrontend(*main);
            about->show();
        }
        QWidget* target = c.target ? Child<QWidget>(c.target) : about.data();
        target->setFocus();
        QTest::keyClick(target, c.key);
        FlushDeletes();
        EXPECT_EQ(about.isNull(), c.closes);
    }
}

// --- Shown by the main window -------------------------------------------------

class AboutFromMenu : public ::testing::Test {
protected:
    void TearDown() override {
        if (main->aboutDialog()) {
            main->aboutDialog()->close();
        }
        FlushDeletes();
    }
    fakes::System system;
    std::unique_ptr<Frontend> main = std::make_unique<Frontend>(system.services());
};

TEST_F(AboutFromMenu, SecondAboutWhileOpenRaisesTheSameBox) {
    main->About_Click();
    QPointer<Aboutfrontend> first = main->aboutDialog();
    ASSERT_TRUE(first);
    main->About_Click();
    EXPECT_EQ(main->aboutDialog(), first.data());
    EXPECT_TRUE(first->isVisible());
    EXPECT_EQ(main->findChildren<Aboutfrontend*>().size(), 0) << "the box must be parentless";
}

TEST_F(AboutFromMenu, ClosedBoxIsForgottenAndReopensFresh) {
    struct Case {
        const char* how;
        void (*close)(Aboutfrontend*);
    };
    const Case cases[] = {
        {"Close button",
         [](Aboutfrontend* box) { box->findChild<QPushButton*>("OKButton")->click(); }},
        {"close box", [](Aboutfrontend* box) { box->close(); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.how);
        main->About_Click();
        QPointer<Aboutfrontend> first = main->aboutDialog();
        ASSERT_TRUE(first);
        c.close(first);
        EXPECT_EQ(main->aboutDialog(), nullptr) << "still remembered after closing";
        main->About_Click(); // in the same turn, before the old one is deleted
        FlushDeletes();
        EXPECT_TRUE(first.isNull());
        ASSERT_NE(main->aboutDialog(), nullptr);
        EXPECT_TRUE(main->aboutDialog()->isVisible());
        main->aboutDialog()->close();
        FlushDeletes();
    }
}

// --- The program's icon -------------------------------------------------------

TEST(ProgramIcon, IsA48By48PictureOf256ColoursWithClearCorners) {
    const QImage icon(QStringLiteral(":/vorlanes/icon.png"));
    ASSERT_FALSE(icon.isNull());
    EXPECT_EQ(icon.size(), QSize(48, 48));
    EXPECT_EQ(icon.format(), QImage::Format_Indexed8);
    EXPECT_LE(icon.colorCount(), 256);
    for (const QPoint corner : {QPoint(0, 0), QPoint(47, 0), QPoint(0, 47), QPoint(47, 47)}) {
        EXPECT_EQ(qAlpha(icon.pixel(corner)), 0) << corner.x() << "," << corner.y();
    }
    EXPECT_FALSE(ProgramIcon().isNull());
}

} // namespace
