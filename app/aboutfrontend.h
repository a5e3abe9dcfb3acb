#pragma once
#include "app/dialog_style.h"

class Frontend;

// Placeholder until the dialog is built.
class Aboutfrontend : public VbDialog {
    Q_OBJECT
public:
    explicit Aboutfrontend(Frontend& main);
};
