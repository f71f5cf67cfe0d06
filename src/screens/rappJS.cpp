#include "screens/rappJS.h"

#include "app/Messages.h"
#include "screens/Controls.h"
#include "screens/RaceProcedures.h"
#include "screens/Screens.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace sg {

rappJS::rappJS(Screens& screens) : QWidget(nullptr), screens_(screens) {
    setObjectName("rappJS");
    setWindowTitle("Rapports et Arrivée");
    setFixedSize(430, 314);

    QFont bold = font();
    bold.setBold(true);
    Label2 = Make<QLabel>(this, "Label2", {14, 10, 300, 20});
    Label2->setText("Ordre d'arrivée");
    Label2->setFont(bold);
    static const char* const places[] = {"", "1er", "2ème", "3ème", "4ème", "5ème"};
    for (int i = 1; i <= 5; ++i) {
        int x = 14 + (i - 1) * 62;
        auto* place = new QLabel(places[i], this);
        place->setGeometry(x, 32, 54, 16);
        place->setAlignment(Qt::AlignCenter);
        Text1[i] = Make<QLineEdit>(this, Indexed("Text1", i), {x, 50, 54, 26});
        Text1[i]->setAlignment(Qt::AlignCenter);
    }

    Label3 = Make<QLabel>(this, "Label3", {14, 90, 300, 20});
    Label3->setText("Répartition des gains");
    Label3->setFont(bold);
    Label4[10] = Make<QLabel>(this, "Label4(10)", {14, 112, 300, 20});
    Label4[10]->setText("Jeu simple");
    // The payout boxes top to bottom 0..3, each beside its label (labels 0, 1, 3 and 4).
    const int labelOf[4] = {0, 1, 3, 4};
    const char* const captions[4] = {
        "Cheval gagnant, rapport pour 1 euro:", "Le 1er placé rapporte pour 1 euro:",
        "Le 2ème placé rapporte pour 1 euro:", "Le 3ème placé rapporte pour 1 euro:"};
    for (int i = 0; i < 4; ++i) {
        int y = 136 + i * 30;
        int label = labelOf[i];
        Label4[label] = Make<QLabel>(this, Indexed("Label4", label), {14, y, 270, 26});
        Label4[label]->setText(captions[i]);
        Text2[i] = Make<QLineEdit>(this, Indexed("Text2", i), {290, y, 120, 26});
    }

    CheckCotes = Make<QCheckBox>(this, "CheckCotes", {14, 256, 250, 24});
    CheckCotes->setText("Enregistrer aussi les cotes");
    CheckCotes->setChecked(true);
    cmdEnregistrer = Make<QPushButton>(this, "cmdEnregistrer", {290, 254, 120, 28});
    cmdEnregistrer->setText("Enregistrer");
    lblLectureSeule =
        Make<QLabel>(this, "lblLectureSeule", Messages::ReadOnlyNote, {14, 288, 396, 20});
    SetForeColor(lblLectureSeule, ReadOnlyColour);
    lblLectureSeule->hide();

    for (int i = 1; i <= 5; ++i)
        connect(Text1[i], &QLineEdit::textChanged, this, [this, i] { Text1_Change(i); });
    for (int i = 0; i < 4; ++i)
        connect(Text2[i], &QLineEdit::textChanged, this, [this, i] { Text2_Change(i); });
    connect(cmdEnregistrer, &QPushButton::clicked, this, [this] { cmdEnregistrer_Click(); });
    UseDesktopKeys(this, true);
}

void rappJS::Text1_Change(int index) {
    std::string text = S(Text1[index]->text());
    if (auto cleared = ClearedArrivalText(text)) {
        Text1[index]->setText(Q(*cleared)); // a change of its own, which stores the slot
        return;
    }
    StoreArrivalBox(screens_.state.race.RaceRecord, index, text);
}

void rappJS::Text2_Change(int index) {
    StorePayoutBox(screens_.state.race.RaceRecord, index, S(Text2[index]->text()));
}

void rappJS::cmdEnregistrer_Click() {
    screens_.race().SaveResults();
}

void rappJS::ShowResults(const ResultsWindowTexts& texts) {
    for (int i = 0; i < 4; ++i) Text2[i]->setText(Q(texts.payouts[i]));
    for (int i = 1; i <= 5; ++i) Text1[i]->setText(Q(texts.arrival[i]));
    setWindowTitle(Q(texts.caption));
}

ArrivalTexts rappJS::ArrivalBoxes() const {
    ArrivalTexts texts;
    for (int i = 1; i <= 5; ++i) texts[i] = S(Text1[i]->text());
    return texts;
}

PayoutTexts rappJS::PayoutBoxes() const {
    PayoutTexts texts;
    for (int i = 0; i < 4; ++i) texts[i] = S(Text2[i]->text());
    return texts;
}

bool rappJS::StoresOdds() const {
    return CheckCotes->isChecked();
}

void rappJS::ShowReadOnly(bool readOnly) {
    lblLectureSeule->setVisible(readOnly);
}

void rappJS::closeEvent(QCloseEvent* event) {
    event->ignore();
    hide();
}

} // namespace sg
