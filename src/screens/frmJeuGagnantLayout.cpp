// Where the elements of the main window stand. Positions are in pixels at 15 twips each,
// for a window of 9600 twips (640 pixels) wide.
#include "app/Messages.h"
#include "calc/HorseCountSelection.h"
#include "ledger/PlaceColours.h"
#include "screens/Controls.h"
#include "screens/DropDownBox.h"
#include "screens/Pictures.h"
#include "screens/frmJeuGagnant.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStringListModel>

namespace sg {

namespace {

constexpr int ColumnLeft = 64; // x of horse column 1
constexpr int ColumnStep = 63; // distance between two horse columns
constexpr int ColumnWidth = 58;

QLabel* MakeLabel(QWidget* parent, const QString& name, const QString& text, QRect geometry) {
    return Make<QLabel>(parent, name, text, geometry);
}

QPushButton* MakeButton(QWidget* parent, const QString& name, const QString& text, QRect geometry) {
    return Make<QPushButton>(parent, name, text, geometry);
}

const char* const ColumnCaptions[10] = {"",     "1er cheval", "2ème", "3ème", "4ème",
                                        "5ème", "6ème",       "7ème", "8ème", "9ème"};

// The captions beside the stakes, under the names the window has always given them.
const char* const StakeCaptionNames[10] = {"",          "Label(6)",  "Label(8)", "Label(7)",
                                           "Label(12)", "Label(13)", "Labe(14)", "Label(15)",
                                           "Label(16)", "Label(17)"};
const char* const StakeCaptions[10] = {"",
                                       "Montant à jouer sur le 1er cheval",
                                       "sur le 2ème",
                                       "sur le 3ème ",
                                       "sur le 4ème",
                                       "sur le 5ème",
                                       "sur le 6ème",
                                       "sur le 7ème",
                                       "sur le 8ème",
                                       "sur le 9ème"};

const char* const HorseCountCaptions[11] = {"3 chevaux ", "2 chevaux ", "4 chevaux ", "5 chevaux ",
                                            "6 chevaux ", "7 chevaux ", "8 chevaux ", "9 chevaux ",
                                            "",           "",           "1 cheval"};

} // namespace

// The window's fonts besides its own: bold, the odds' large bold, and small.
frmJeuGagnant::WindowFonts frmJeuGagnant::Fonts() const {
    QFont bold = font();
    bold.setBold(true);
    QFont odds = bold;
    odds.setPointSize(14);
    QFont small = font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    return {bold, odds, small};
}

void frmJeuGagnant::BuildWidgets() {
    setObjectName("frmJeuGagnant");
    setWindowTitle(Messages::MainTitle);
    setFixedSize(Pixels(9600), 590);
    setMouseTracking(true);

    const auto& [bold, oddsFont, small] = Fonts();

    Label1[0] = MakeLabel(this, Indexed("Label1", 0), QString("Simple Gagnant %1").arg(SG_VERSION),
                          {6, 4, 200, 18});
    Label1[0]->setFont(bold);
    Image1 = new PictureBox(this, DrawHelpIcon);
    Image1->setObjectName("Image1");
    Image1->setGeometry(612, 2, 24, 24);
    Image1->setToolTip("Aide");
    Command5 = MakeButton(this, "Command5", "Autres logiciels", {490, 3, 116, 22});

    // The odds row: one column per horse, PMU number list above the odds box, picker below.
    LabelPMU = MakeLabel(this, "LabelPMU", "Nº PMU", {4, 48, 58, 18});
    Label7 = MakeLabel(this, "Label7", "COTES >", {4, 84, 58, 18});
    Label7->setFont(bold);
    pmuNumbers_ = new QStringListModel(this);
    for (int i = 1; i <= 9; ++i) BuildColumn(i);

    // The stakes, their total and the warning.
    Label19 = Make<FittingLabel>(this, "Label19", "TOTAL DES MISES", {8, 342, 292, 20});
    Label19->setFont(bold);
    Label19->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    lblDansleRouge = MakeLabel(this, "lblDansleRouge",
                               " Rentabilité impossible - Diminuez la quantité de chevaux à jouer ",
                               {8, 366, 292, 36});
    lblDansleRouge->setWordWrap(true);
    lblDansleRouge->setAlignment(Qt::AlignCenter);
    lblDansleRouge->setFont(bold);
    SetForeColor(lblDansleRouge, QColor(255, 255, 255));
    SetBackColor(lblDansleRouge, QColor(200, 0, 0));
    lblDansleRouge->hide();

    // The choice of the horses played.
    Label5 = MakeLabel(this, "Label5", "Vous désirez jouer:", {312, 154, 200, 18});
    Label5->setFont(bold);
    auto* horseCounts = new QWidget(this);
    horseCounts->setGeometry(312, 172, 324, 58);
    for (int index : {10, 1, 0, 2, 3, 4, 5, 6, 7}) {
        int k = HorseCountOfButton(index);
        int row = (k - 1) / 3, column = (k - 1) % 3;
        Option1[index] = Make<QRadioButton>(horseCounts, Indexed("Option1", index),
                                            {column * 108, row * 19, 106, 19});
        Option1[index]->setText(HorseCountCaptions[index]);
    }
    Option1[10]->setChecked(true);

    Frame1 = Make<QGroupBox>(this, "Frame1", {312, 232, 324, 76});
    Frame1->setTitle("Choisissez une option");
    const char* modes[3] = {"Voir parties décimales", "Ne pas montrer virgules",
                            "Arrondir à  la dizaine supérieure"};
    for (int i = 0; i < 3; ++i) {
        Option2[i] = Make<QRadioButton>(Frame1, Indexed("Option2", i), {10, 18 + i * 19, 300, 19});
        Option2[i]->setText(modes[i]);
    }
    Option2[0]->setChecked(true);

    Command1 = MakeButton(this, "Command1", "Cliquez pour calculer montant à jouer par cheval",
                          {312, 314, 324, 30});
    Command2 = MakeButton(this, "Command2", "Cliquez pour un exemple", {312, 348, 200, 24});
    cmdAnalyse = MakeButton(this, "cmdAnalyse", "Analyse du pari", {516, 348, 120, 24});

    // The target profit, the wanted profit and the ratio.
    Label6 = MakeLabel(this, "Label6", "Bénéfice recherché", {8, 410, 130, 20});
    Label6->setFont(bold);
    Label4 = Make<FittingLabel>(this, "Label4", {140, 410, 160, 20});
    Label4->setText("EUROS (FS, etc.)");
    Label4->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Label4->setFont(bold);
    Label3[0] = MakeLabel(this, Indexed("Label3", 0),
                          "Une valeur négative indique que les cotes ne permettent pas de jouer "
                          "tous ces chevaux de façon rentable. Le rapport actuel bénéfice "
                          "recherché/montant à jouer est de: ",
                          {8, 432, 292, 56});
    Label3[0]->setWordWrap(true);
    Label3[0]->setFont(small);
    lblRapport = Make<FittingLabel>(this, "lblRapport",
                                    "(cliquez sur le bouton ci-dessous ou sur \"Rafraîchir\")",
                                    {8, 490, 292, 20});
    lblRapport->setFont(small); // its start text fills the whole width
    Label3[2] = MakeLabel(this, Indexed("Label3", 2),
                          "Cliquez ci-dessous pour augmenter ou diminuer le bénéfice recherché",
                          {312, 404, 324, 32});
    Label3[2]->setWordWrap(true);
    HScroll1 = Make<FocusScrollBar>(this, "HScroll1", {312, 438, 324, 18});
    HScroll1->setRange(1, 100);
    HScroll1->setTracking(false);
    HScroll1->setFocusPolicy(Qt::StrongFocus);
    txtRecherche = Make<QLineEdit>(this, "txtRecherche", {312, 462, 100, 24});
    txtRecherche->setText("Montant?");
    cmdAccepter = MakeButton(this, "cmdAccepter", "Accepter", {416, 462, 96, 24});
    cmdRafraichir = MakeButton(this, "cmdRafraichir", "Rafraîchir", {516, 462, 120, 24});
    cmdAlademande =
        MakeButton(this, "cmdAlademande", "Arrondir aux multiples de:", {312, 490, 200, 24});
    txtArrondir = Make<QLineEdit>(this, "txtArrondir", {516, 490, 50, 24});
    txtArrondir->setText("1.5");
    Command3 = MakeButton(this, "Command3", "Fermer", {570, 518, 66, 24});

    // The runner count, all the rows, and the options.
    Label8 = MakeLabel(this, "Label8", "Nombre de partants", {8, 520, 130, 20});
    txtNbrepartants = Make<QLineEdit>(this, "txtNbrepartants", {140, 518, 40, 24});
    txtNbrepartants->setText("18");
    cmdVoirTous = MakeButton(this, "cmdVoirTous", "Voir tous", {186, 518, 114, 24});
    cmdOptions = MakeButton(this, "cmdOptions", "Options avancées", {312, 518, 150, 24});

    // The race of the open race file, the way to other races, and the place colours.
    lblCourse = MakeLabel(this, "lblCourse", "Course actuelle: ", {8, 558, 150, 20});
    lblCourse->setFont(bold);
    imgCourses = new PictureBox(this, DrawRaceNavigation);
    imgCourses->setObjectName("imgCourses");
    imgCourses->setGeometry(160, 555, 101, 26);
    imgCourses->setToolTip("Course précédente, numéro, dernière course, course suivante (au "
                           "clavier : flèches, N ou Entrée, Début et Fin ; Page préc. et Page "
                           "suiv. depuis toute la fenêtre)");
    Image2 = new PictureBox(this, DrawPlaceLegend);
    Image2->setObjectName("Image2");
    Image2->setGeometry(272, 556, 250, 24);
    cmdEvolution = MakeButton(this, "cmdEvolution", "Voir évolution", {528, 554, 108, 28});

    // The place colours of the first five rows until the first arrival is shown.
    for (int i = 1; i <= 5; ++i) {
        const Rgb& c = PlaceColours[i];
        SetBackColor(Shape1[i], QColor(c.red, c.green, c.blue));
    }

    // Reading order: the odds first, then the choices, the buttons, the other boxes.
    SetTabChain(
        {txtCote[1],      txtCote[2],      txtCote[3],      txtCote[4],      txtCote[5],
         txtCote[6],      txtCote[7],      txtCote[8],      txtCote[9],      Option1[10],
         Option1[1],      Option1[0],      Option1[2],      Option1[3],      Option1[4],
         Option1[5],      Option1[6],      Option1[7],      Option2[0],      Option2[1],
         Option2[2],      Command1,        Command2,        cmdAnalyse,      HScroll1,
         txtRecherche,    cmdAccepter,     cmdRafraichir,   cmdAlademande,   txtArrondir,
         txtNbrepartants, cmdVoirTous,     cmdOptions,      Command3,        imgCourses,
         cmdEvolution,    Combo1[1],       Combo1[2],       Combo1[3],       Combo1[4],
         Combo1[5],       Combo1[6],       Combo1[7],       Combo1[8],       Combo1[9],
         HScroll2[1],     HScroll2[2],     HScroll2[3],     HScroll2[4],     HScroll2[5],
         HScroll2[6],     HScroll2[7],     HScroll2[8],     HScroll2[9],     cmdSupprimer[1],
         cmdSupprimer[2], cmdSupprimer[3], cmdSupprimer[4], cmdSupprimer[5], cmdSupprimer[6],
         cmdSupprimer[7], cmdSupprimer[8], cmdSupprimer[9], Command5});
    UseDesktopKeys(this, false);
}

// Horse column i (0: the hidden template): caption, PMU number, mark, odds box, picker,
// "Supprimer" and the stake with its caption.
void frmJeuGagnant::BuildColumn(int i) {
    const auto& [bold, oddsFont, small] = Fonts();
    int x = ColumnLeft + (i - 1) * ColumnStep;
    if (i > 0) {
        Label1[i] =
            MakeLabel(this, Indexed("Label1", i), ColumnCaptions[i], {x, 28, ColumnWidth, 16});
        Label1[i]->setAlignment(Qt::AlignCenter);
        Label1[i]->setFont(small);
    }
    Combo1[i] = Make<DropDownBox>(this, Indexed("Combo1", i), {x, 46, ColumnWidth, 22});
    txtCote[i] = Make<QLineEdit>(this, Indexed("txtCote", i), {x, 76, ColumnWidth, 32});
    txtCote[i]->setFont(oddsFont);
    txtCote[i]->setAlignment(Qt::AlignCenter);
    HScroll2[i] = Make<FocusScrollBar>(this, Indexed("HScroll2", i), {x, 110, ColumnWidth, 16});
    HScroll2[i]->setRange(1, 120);
    HScroll2[i]->setSingleStep(1);
    HScroll2[i]->setPageStep(1);
    HScroll2[i]->setTracking(false); // a drag changes the odds once, where it ends
    HScroll2[i]->setFocusPolicy(Qt::StrongFocus);
    Shape1[i] = Make<ShapeBox>(this, Indexed("Shape1", i), {x + 4, 70, ColumnWidth - 8, 5});
    cmdSupprimer[i] =
        MakeButton(this, Indexed("cmdSupprimer", i), "Supprimer", {x, 128, ColumnWidth, 20});
    cmdSupprimer[i]->setFont(small);
    Label2[i] =
        Make<FittingLabel>(this, Indexed("Label2", i), "???", {230, 158 + (i - 1) * 20, 70, 18});
    Label2[i]->setFont(bold);
    Label2[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    if (i == 0) {
        for (QWidget* w : std::initializer_list<QWidget*>{Combo1[0], txtCote[0], HScroll2[0],
                                                          Label2[0], Shape1[0], cmdSupprimer[0]})
            w->hide();
    } else {
        MakeLabel(this, StakeCaptionNames[i], StakeCaptions[i], {8, 158 + (i - 1) * 20, 218, 18})
            ->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    SetUpRow(i);
}

// Runner row 10..22, in the column right of the window's reduced width.
void frmJeuGagnant::BuildRunnerRow(int i) {
    // 83 pixels between the reduced and the wide window: odds box, then the PMU number list
    // wide enough for two digits, the mark under the box.
    int x = Pixels(9600) + 3, y = 28 + (i - 10) * 26;
    txtCote[i] = Make<QLineEdit>(this, Indexed("txtCote", i), {x, y, 32, 21});
    txtCote[i]->setAlignment(Qt::AlignCenter);
    Combo1[i] = Make<DropDownBox>(this, Indexed("Combo1", i), {x + 34, y, 44, 22});
    Shape1[i] = Make<ShapeBox>(this, Indexed("Shape1", i), {x, y + 22, 32, 3});
    SetUpRow(i);
}

void frmJeuGagnant::SetUpRow(int i) {
    Combo1[i]->setModel(pmuNumbers_);
    Combo1[i]->setText("1"); // as the window's load leaves every list
    txtCote[i]->setMouseTracking(true);
    ShrinkTextToFit(txtCote[i]);
}

} // namespace sg
