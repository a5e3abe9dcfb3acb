#pragma once
#include "app/dialog_style.h"

#include <QString>
#include <string>

class Frontend;
class QLabel;
class QLineEdit;

// "Path - Emulators": where the user tells the program where the emulator is.
class Pathemulator : public VbDialog {
    Q_OBJECT
public:
    explicit Pathemulator(Frontend& main);

    void Form_Load();
    void Browse_Click();
    void OKButton_Click();
    void CancelButton_Click();

private:
    void ShowDir(const std::string& bytes);
    std::string DirBytes() const;

    Frontend& main_;
    // What the box was last given, as bytes and as shown: unedited text goes
    // back byte for byte, whatever code page it came in.
    std::string dirBytes_;
    QString dirShown_;
    bool dirLatin1_ = false;
    QLabel* Label2 = nullptr;
    QLineEdit* Pathhugo = nullptr;
    QPushButton* Browse = nullptr;
    QPushButton* OKButton = nullptr;
    QPushButton* CancelButton = nullptr;
};
