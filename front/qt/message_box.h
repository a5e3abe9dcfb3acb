// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#pragma once
#include <QString>
#include <functional>

class QWidget;

namespace qtfront {

// Tells the user about a failure in a message box. Tests install a sink that
// records the message instead of opening a modal box.
void ShowMessage(QWidget* parent, const QString& title, const QString& text);

using MessageSink = std::function<void(const QString& title, const QString& text)>;
// Replaces the message box; an empty sink restores it. Returns the previous sink.
MessageSink SetMessageSink(MessageSink sink);

// Asks a question with Yes and No; true for Yes. Tests install a sink that
// answers instead of opening a modal box.
bool AskYesNo(QWidget* parent, const QString& title, const QString& text);

using QuestionSink = std::function<bool(const QString& title, const QString& text)>;
// Replaces the question box; an empty sink restores it. Returns the previous sink.
QuestionSink SetQuestionSink(QuestionSink sink);

} // namespace qtfront
