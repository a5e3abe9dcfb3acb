// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright (C) 2026 House Vorlanes
#include "config/confighugo.h"

#include "app/frontend.h"
#include "app/short_form_question.h"
#include "app/shortpath.h"
#include "ini/tolv_cini.h"
#include "location/emulator_location.h"
#include "platform/widgets/message_box.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

QString Caption(const char* utf8) {
    return QString::fromUtf8(utf8);
}

QRadioButton* AddOption(QWidget* parent, const char* name, const char* caption) {
    auto* option = new QRadioButton(Caption(caption), parent);
    NameControl(option, name, Caption(caption));
    // Each group keeps itself exclusive through its click handlers.
    option->setAutoExclusive(false);
    return option;
}

QCheckBox* AddSwitch(QWidget* parent, const char* name, const char* caption, const char* toolTip) {
    auto* box = new QCheckBox(Caption(caption), parent);
    NameControl(box, name, Caption(caption));
    if (toolTip != nullptr) {
        box->setToolTip(Caption(toolTip));
    }
    return box;
}

using Handler = void (Confighugo::*)();
const std::array<Handler, 5> kGraphClick{&Confighugo::graph1_Click, &Confighugo::graph2_Click,
                                         &Confighugo::graph3_Click, &Confighugo::graph4_Click,
                                         &Confighugo::graph5_Click};
const std::array<Handler, 8> kLangueClick{&Confighugo::langue1_Click, &Confighugo::langue2_Click,
                                          &Confighugo::langue3_Click, &Confighugo::langue4_Click,
                                          &Confighugo::langue5_Click, &Confighugo::langue6_Click,
                                          &Confighugo::langue7_Click, &Confighugo::langue8_Click};
const std::array<Handler, 4> kOptionClick{&Confighugo::Option1_Click, &Confighugo::Option2_Click,
                                          &Confighugo::Option3_Click, &Confighugo::Option4_Click};

} // namespace

Confighugo::Confighugo(Frontend& main)
    : VbDialog("Confighugo", QStringLiteral("Setup Hu-Go!"), 9435, 4890), main_(main) {
    OKButton = AddButton("OKButton", QStringLiteral("OK"), 8100, 120);
    CancelButton = AddButton("CancelButton", QStringLiteral("Annuler"), 8100, 600);

    SSTab = new QTabWidget(this);
    NameControl(SSTab, "SSTab", QStringLiteral("SSTab"));
    PlaceTwips(SSTab, 120, 120, 7830, 4650);

    // Tab "Setup": the ROM directory on top, the switches on the left, the two
    // choice groups on the right.
    auto* setupPage = new QWidget;
    setupPage->setObjectName(QStringLiteral("SetupPage"));
    Label1 = new QLabel(QStringLiteral("RomDir"), setupPage);
    NameControl(Label1, "Label1", QStringLiteral("RomDir"));
    Rom_Dir = new QLineEdit(QStringLiteral("Text1"), setupPage);
    NameControl(Rom_Dir, "Rom_Dir", QStringLiteral("RomDir"));
    Label1->setBuddy(Rom_Dir);
    Browse = new QPushButton(QStringLiteral("..."), setupPage);
    NameControl(Browse, "Browse", QStringLiteral("..."));
    Browse->setFixedWidth(Twips(450));
    MakeEnterPresses(Browse);

    Modeeagle = AddSwitch(setupPage, "Modeeagle", "Mode Eagle", "Interpolation");
    Exactdraw = AddSwitch(setupPage, "Exactdraw", "Exact Draw",
                          "Fonction plus lente mais plus précise d'affichage des sprites");
    Son = AddSwitch(setupPage, "Son", "Sound", nullptr);
    Staticrefresh = AddSwitch(setupPage, "Staticrefresh", "Static Refresh", nullptr);

    Modegraphique = new QGroupBox(QStringLiteral("Video Mode"), setupPage);
    NameControl(Modegraphique, "Modegraphique", QStringLiteral("Video Mode"));
    graph = {AddOption(Modegraphique, "graph1", "224*256, 240*256, 256*256, 320*240, 320*200"),
             AddOption(Modegraphique, "graph2", "240*256, 256*256, 320*240, 320*200"),
             AddOption(Modegraphique, "graph3", "256*256, 320*240, 320*200"),
             AddOption(Modegraphique, "graph4", "320*240, 320*200"),
             AddOption(Modegraphique, "graph5", "320*200")};
    auto* videoLayout = new QVBoxLayout(Modegraphique);
    videoLayout->setContentsMargins(8, 2, 8, 4);
    videoLayout->setSpacing(0);
    for (QRadioButton* option : graph) {
        videoLayout->addWidget(option);
    }

    Langue = new QGroupBox(QStringLiteral("Language for message"), setupPage);
    NameControl(Langue, "Langue", QStringLiteral("Language for message"));
    langue = {AddOption(Langue, "langue1", "English"),    AddOption(Langue, "langue2", "Francais"),
              AddOption(Langue, "langue3", "Espagnol"),   AddOption(Langue, "langue4", "Slovenian"),
              AddOption(Langue, "langue5", "Portuguese"), AddOption(Langue, "langue6", "German"),
              AddOption(Langue, "langue7", "Dutch"),      AddOption(Langue, "langue8", "Polish")};
    // Eight languages do not fit one column under the video modes: two columns
    // of four, read top to bottom.
    auto* languageLayout = new QGridLayout(Langue);
    languageLayout->setContentsMargins(8, 2, 8, 4);
    languageLayout->setVerticalSpacing(0);
    for (std::size_t i = 0; i < langue.size(); ++i) {
        languageLayout->addWidget(langue[i], static_cast<int>(i % 4), static_cast<int>(i / 4));
    }

    auto* romRow = new QHBoxLayout;
    romRow->addWidget(Label1);
    romRow->addWidget(Rom_Dir, 1);
    romRow->addWidget(Browse);
    auto* switches = new QVBoxLayout;
    switches->setSpacing(6);
    for (QCheckBox* box : {Modeeagle, Exactdraw, Son, Staticrefresh}) {
        switches->addWidget(box);
    }
    switches->addStretch(1);
    auto* choices = new QVBoxLayout;
    choices->setSpacing(4);
    choices->addWidget(Modegraphique);
    choices->addWidget(Langue);
    choices->addStretch(1);
    auto* columns = new QHBoxLayout;
    columns->addLayout(switches);
    columns->addLayout(choices, 1);
    auto* setupLayout = new QVBoxLayout(setupPage);
    setupLayout->setContentsMargins(8, 6, 8, 4);
    setupLayout->setSpacing(6);
    setupLayout->addLayout(romRow);
    setupLayout->addLayout(columns, 1);
    SSTab->addTab(setupPage, QStringLiteral("Setup"));

    // Tab "Control": the input configuration.
    auto* controlPage = new QWidget;
    controlPage->setObjectName(QStringLiteral("ControlPage"));
    Option = {AddOption(controlPage, "Option1", "Default Config"),
              AddOption(controlPage, "Option2", "1 player - Pad"),
              AddOption(controlPage, "Option3", "1 Player - Keyboard"),
              AddOption(controlPage, "Option4", "2 Player - Keyboard")};
    auto* controlLayout = new QVBoxLayout(controlPage);
    controlLayout->setContentsMargins(12, 10, 12, 10);
    for (QRadioButton* option : Option) {
        controlLayout->addWidget(option);
    }
    controlLayout->addStretch(1);
    SSTab->addTab(controlPage, QStringLiteral("Control"));
    SSTab->setCurrentIndex(0);

    const std::array<QWidget*, 6> head{OKButton,      CancelButton, SSTab,
                                       Modegraphique, Label1,       Rom_Dir};
    QWidget* previous = nullptr;
    auto chain = [&previous](QWidget* next) {
        if (previous != nullptr) {
            QWidget::setTabOrder(previous, next);
        }
        previous = next;
    };
    for (QWidget* w : head) {
        chain(w);
    }
    for (QWidget* w : graph) {
        chain(w);
    }
    chain(Langue);
    for (QWidget* w : langue) {
        chain(w);
    }
    for (QWidget* w : {Modeeagle, Exactdraw, Son, Staticrefresh}) {
        chain(w);
    }
    for (QWidget* w : Option) {
        chain(w);
    }
    chain(Browse);

    connect(OKButton, &QPushButton::clicked, this, &Confighugo::OKButton_Click);
    connect(CancelButton, &QPushButton::clicked, this, &Confighugo::CancelButton_Click);
    connect(Browse, &QPushButton::clicked, this, &Confighugo::Browse_Click);
    for (std::size_t i = 0; i < graph.size(); ++i) {
        connect(graph[i], &QRadioButton::clicked, this, kGraphClick[i]);
    }
    for (std::size_t i = 0; i < langue.size(); ++i) {
        connect(langue[i], &QRadioButton::clicked, this, kLangueClick[i]);
    }
    for (std::size_t i = 0; i < Option.size(); ++i) {
        connect(Option[i], &QRadioButton::clicked, this, kOptionClick[i]);
    }
    // Only a stored "2" shows indeterminate; once the user clicks, the box
    // toggles between clear and checked.
    for (QCheckBox* box : {Modeeagle, Exactdraw, Son, Staticrefresh}) {
        connect(box, &QCheckBox::clicked, box, [box] { box->setTristate(false); });
    }

    // Design-time state: the first video mode, nothing else selected or checked.
    ShowSettings(hugo::Settings{});
    ShowRomDir("Text1");

    Form_Load();
}

Confighugo::~Confighugo() = default;

void Confighugo::Form_Load() {
    const std::string dir = location::ReadEmulatorDir(main_.services().settings);
    if (!ini_) {
        ini_ = std::make_unique<Tolv_CIni>();
    }
    ini_->FileName(hugo::IniFileName(dir));
    hugo::Settings settings = ShownSettings();
    hugo::Load(*ini_, settings);
    ShowSettings(settings);
    romDirMayBeCut_ = settings.romDir.size() == hugo::kLongestRead;
}

void Confighugo::OKButton_Click() {
    // A value read maybe cut and left untouched stays whole in the file.
    const bool keepRomDir = romDirMayBeCut_ && Rom_Dir->text() == romDir_.shown();
    // The box shows what is stored, so that a failed save leaves the user
    // looking at the text that would be written next time.
    if (!keepRomDir) {
        const std::string typed = RomDirBytes();
        const std::string stored = hugo::RomDirToStore(typed, &Frontend::ShortPath);
        if (!MayStoreShortForm(this, typed, stored)) {
            return; // nothing written, the text stays as typed
        }
        ShowRomDir(stored);
    }
    if (!hugo::Save(*ini_, ShownSettings(), keepRomDir)) {
        platform::ShowMessage(
            this, windowTitle(),
            QStringLiteral("The settings could not be written to \"%1\":\n%2")
                .arg(QString::fromLocal8Bit(ini_->FileName()),
                     QString::fromLocal8Bit(ini_->LastErrorDescription()).trimmed()));
        return;
    }
    close();
}

void Confighugo::CancelButton_Click() {
    close();
}

void Confighugo::Browse_Click() {
    const std::string chosen = main_.services().fileDialog.ChooseFile();
    if (chosen.empty()) {
        return;
    }
    const std::string directory = DirectoryPart(chosen);
    if (directory.empty()) {
        return; // not a system path: there is no directory to take
    }
    ShowRomDir(directory);
}

void Confighugo::graph1_Click() {
    SelectInGroup(graph, 0);
}
void Confighugo::graph2_Click() {
    SelectInGroup(graph, 1);
}
void Confighugo::graph3_Click() {
    SelectInGroup(graph, 2);
}
void Confighugo::graph4_Click() {
    SelectInGroup(graph, 3);
}
void Confighugo::graph5_Click() {
    SelectInGroup(graph, 4);
}
void Confighugo::langue1_Click() {
    SelectInGroup(langue, 0);
}
void Confighugo::langue2_Click() {
    SelectInGroup(langue, 1);
}
void Confighugo::langue3_Click() {
    SelectInGroup(langue, 2);
}
void Confighugo::langue4_Click() {
    SelectInGroup(langue, 3);
}
void Confighugo::langue5_Click() {
    SelectInGroup(langue, 4);
}
void Confighugo::langue6_Click() {
    SelectInGroup(langue, 5);
}
void Confighugo::langue7_Click() {
    SelectInGroup(langue, 6);
}
void Confighugo::langue8_Click() {
    SelectInGroup(langue, 7);
}
void Confighugo::Option1_Click() {
    SelectInGroup(Option, 0);
}
void Confighugo::Option2_Click() {
    SelectInGroup(Option, 1);
}
void Confighugo::Option3_Click() {
    SelectInGroup(Option, 2);
}
void Confighugo::Option4_Click() {
    SelectInGroup(Option, 3);
}

template <std::size_t N>
void Confighugo::SelectInGroup(const std::array<QRadioButton*, N>& group, std::size_t chosen) {
    for (std::size_t i = 0; i < N; ++i) {
        group[i]->setChecked(i == chosen);
    }
}

template <std::size_t N>
std::optional<int> Confighugo::SelectedIn(const std::array<QRadioButton*, N>& group) {
    for (std::size_t i = 0; i < N; ++i) {
        if (group[i]->isChecked()) {
            return static_cast<int>(i);
        }
    }
    return std::nullopt;
}

void Confighugo::ShowSwitch(QCheckBox* box, int state) {
    box->setTristate(state == hugo::kIndeterminate);
    box->setCheckState(state == hugo::kIndeterminate ? Qt::PartiallyChecked
                       : state == hugo::kChecked     ? Qt::Checked
                                                     : Qt::Unchecked);
}

int Confighugo::SwitchState(const QCheckBox* box) {
    switch (box->checkState()) {
    case Qt::PartiallyChecked:
        return hugo::kIndeterminate;
    case Qt::Checked:
        return hugo::kChecked;
    default:
        return hugo::kClear;
    }
}

void Confighugo::ShowSettings(const hugo::Settings& settings) {
    // Selecting goes through the options' own click handlers, as a user's click does.
    if (settings.videoMode) {
        (this->*kGraphClick[static_cast<std::size_t>(*settings.videoMode)])();
    }
    if (settings.language) {
        (this->*kLangueClick[static_cast<std::size_t>(*settings.language)])();
    }
    ShowRomDir(settings.romDir);
    ShowSwitch(Modeeagle, settings.eagle);
    ShowSwitch(Exactdraw, settings.exactDraw);
    ShowSwitch(Son, settings.sound);
    ShowSwitch(Staticrefresh, settings.staticRefresh);
    if (settings.input) {
        (this->*kOptionClick[static_cast<std::size_t>(*settings.input)])();
    }
}

hugo::Settings Confighugo::ShownSettings() const {
    hugo::Settings settings;
    settings.videoMode = SelectedIn(graph);
    settings.language = SelectedIn(langue);
    settings.romDir = RomDirBytes();
    settings.eagle = SwitchState(Modeeagle);
    settings.exactDraw = SwitchState(Exactdraw);
    settings.sound = SwitchState(Son);
    settings.staticRefresh = SwitchState(Staticrefresh);
    settings.input = SelectedIn(Option);
    return settings;
}

void Confighugo::ShowRomDir(const std::string& bytes) {
    romDirMayBeCut_ = false;
    Rom_Dir->setText(romDir_.Show(bytes));
    Rom_Dir->setCursorPosition(0); // the drive letter in sight, not the end
}

std::string Confighugo::RomDirBytes() const {
    return romDir_.Bytes(Rom_Dir->text());
}
