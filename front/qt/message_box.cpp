// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "front/qt/message_box.h"

#include <QMessageBox>
#include <utility>

namespace qtfront {
namespace {
MessageSink& Sink() {
    static MessageSink sink;
    return sink;
}
QuestionSink& Questions() {
    static QuestionSink sink;
    return sink;
}
} // namespace

bool AskYesNo(QWidget* parent, const QString& title, const QString& text) {
    if (Questions()) {
        return Questions()(title, text);
    }
    return QMessageBox::question(parent, title, text, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
}

QuestionSink SetQuestionSink(QuestionSink sink) {
    return std::exchange(Questions(), std::move(sink));
}

void ShowMessage(QWidget* parent, const QString& title, const QString& text) {
    if (Sink()) {
        Sink()(title, text);
        return;
    }
    QMessageBox::warning(parent, title, text);
}

MessageSink SetMessageSink(MessageSink sink) {
    return std::exchange(Sink(), std::move(sink));
}

} // namespace qtfront
