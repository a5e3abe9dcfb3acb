#pragma once
#include "app/dialog_style.h"

class Frontend;

// Placeholder until the dialog is built.
class Confighugo : public VbDialog {
    Q_OBJECT
public:
    explicit Confighugo(Frontend& main);
};
