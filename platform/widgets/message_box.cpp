// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "platform/widgets/message_box.h"

#include <QMessageBox>
#include <utility>

namespace platform {
namespace {
MessageSink& Sink() {
    static MessageSink sink;
    return sink;
}
} // namespace

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

} // namespace platform
