#include "screens/frmCote.h"

#include "calc/OddsVariation.h"
#include "numbers/OddsText.h"
#include "screens/Controls.h"
#include "screens/Screens.h"
#include "screens/frmJeuGagnant.h"

#include <QCloseEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace sg {

namespace {

const QColor Yellow(255, 255, 0);
const QColor Background(112, 112, 112);

constexpr int ListLeft = 124, ListStep = 74, ListWidth = 68;

} // namespace

frmCote::frmCote(Screens& screens) : QWidget(nullptr), screens_(screens) {
    setObjectName("frmCote");
    setWindowTitle("Variation des cotes");
    setFixedSize(ListLeft + 9 * ListStep + 4, 236);
    SetBackColor(this, Background);

    Command1 = Make<QPushButton>(this, "Command1", "Rajouter", {10, 30, 100, 30});
    cmdVider = Make<QPushButton>(this, "cmdVider", "Vider", {10, 66, 100, 30});
    cmdCacher = Make<QPushButton>(this, "cmdCacher", "Cacher", {10, 102, 100, 30});

    static const char* const columns[] = {"",     "1er cheval", "2ème", "3ème", "4ème",
                                          "5ème", "6ème",       "7ème", "8ème", "9ème"};
    QFont bold = font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 0.9);
    for (int i = 0; i <= 9; ++i) {
        int x = ListLeft + (i - 1) * ListStep;
        lstCote[i] = Make<QListWidget>(this, Indexed("lstCote", i), {x, 30, ListWidth, 160});
        lblVariation[i] = Make<QLabel>(this, Indexed("lblVariation", i), "Variation",
                                       {x - 2, 196, ListWidth + 4, 30});
        lblVariation[i]->setFont(bold);
        lblVariation[i]->setWordWrap(true);
        lblVariation[i]->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        SetForeColor(lblVariation[i], Yellow);
        if (i == 0) {
            lstCote[0]->hide();
            lblVariation[0]->setGeometry(10, 196, 100, 30);
            lblVariation[0]->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            lblVariation[0]->setText("Variations");
            continue;
        }
        auto* header = new QLabel(columns[i], this);
        header->setGeometry(x, 8, ListWidth, 18);
        header->setAlignment(Qt::AlignCenter);
        SetForeColor(header, Qt::white);
    }

    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(cmdVider, &QPushButton::clicked, this, [this] { cmdVider_Click(); });
    connect(cmdCacher, &QPushButton::clicked, this, [this] { cmdCacher_Click(); });
    Form_Load();
    UseDesktopKeys(this, true);
}

void frmCote::Form_Load() {
    move(0, Pixels(315));
}

void frmCote::Command1_Click() {
    std::array<std::string, 10> odds = screens_.main().ColumnOdds();
    for (int i = 1; i <= 9; ++i) {
        lstCote[i]->addItem(Q(odds[i]));
        lstCote[i]->scrollToBottom();
    }
    for (int i = 1; i <= 9; ++i) {
        if (!first_[i]) first_[i] = ConvertOddsText(S(lstCote[i]->item(0)->text()));
        auto variation = OddsVariation(*first_[i], ConvertOddsText(odds[i]));
        if (!variation) continue;
        lblVariation[i]->setText(Q(variation->text));
        SetForeColor(lblVariation[i], QColor(variation->red, variation->green, variation->blue));
    }
}

void frmCote::cmdVider_Click() {
    for (int i = 1; i <= 9; ++i) {
        lstCote[i]->clear();
        first_[i].reset();
    }
}

void frmCote::cmdCacher_Click() {
    hide();
}

void frmCote::closeEvent(QCloseEvent* event) {
    event->ignore();
    hide();
}

} // namespace sg
