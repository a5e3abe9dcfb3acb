// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "app/aboutfrontend.h"

#include "version.h"

#include <QLabel>

namespace {

// Client area and the one column of labels beside the button, in twips.
constexpr int kWidth = 5800;
constexpr int kHeight = 1440;
constexpr int kMargin = 120;
constexpr int kButtonWidth = 1215;
constexpr int kLine = 300;
constexpr int kColumnWidth = kWidth - kButtonWidth - 3 * kMargin;

QLabel* AddLabel(QWidget* parent, const char* name, int top, int lines) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    PlaceTwips(label, kMargin, top, kColumnWidth, lines * kLine);
    return label;
}

} // namespace

Aboutfrontend::Aboutfrontend(Frontend& /*main*/)
    : VbDialog("Aboutfrontend", QStringLiteral("About the House Vorlanes' Frontend"), kWidth,
               kHeight) {
    OKButton =
        AddButton("OKButton", QStringLiteral("Close"), kWidth - kButtonWidth - kMargin, kMargin);
    connect(OKButton, &QPushButton::clicked, this, &Aboutfrontend::OKButton_Click);

    const QString name =
        QStringLiteral("House Vorlanes' Frontend V") + QString::fromUtf8(VORLANES_VERSION);
    const QString credit = QString::fromUtf8(VORLANES_AUTHOR) + QStringLiteral(" - ") +
                           QString::fromUtf8(VORLANES_EMAIL);
    const QString homepage = QString::fromUtf8(VORLANES_HOMEPAGE);

    // Created in tab order: the focus chain follows creation, and setTabOrder
    // does not reliably place labels that take no focus.
    Anglish = AddLabel(this, "Anglish", kMargin, 1);
    Anglish->setText(name);
    Anglish->setAccessibleName(name);

    // One line with its prefix. A link for the mouse only: a label is no Tab
    // stop, and Enter must not open a browser from a focus nobody sees.
    Label1 = AddLabel(this, "Label1", kMargin + 2 * kLine, 2);
    Label1->setTextFormat(Qt::RichText);
    Label1->setWordWrap(false);
    Label1->setText(
        QStringLiteral("Homepage :&nbsp;<a href=\"%1\">%1</a>").arg(homepage.toHtmlEscaped()));
    Label1->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
    Label1->setFocusPolicy(Qt::NoFocus);
    Label1->setOpenExternalLinks(true);
    Label1->setAccessibleName(QStringLiteral("Homepage : ") + homepage);

    Label2 = AddLabel(this, "Label2", kMargin + kLine, 1);
    Label2->setText(credit);
    Label2->setAccessibleName(credit);
}

void Aboutfrontend::OKButton_Click() {
    close();
}
