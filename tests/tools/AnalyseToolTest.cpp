// sg-race analyse from a shell: the analysis of a bet one labelled value a line, and one French
// line for a bad argument.
#include "ToolRun.h"

namespace sg {
namespace {

TEST(AnalyseTool, PrintsTheAnalysisAndRefusesBadArguments) {
    WorkFolder work;
    // 1/8 + 1/4 + 1/13 + 1/5.5 + 1/5.5 = 933/1144 = 81.56 %; 517/1144 = 45.19 % played;
    // 517/933 = 55.41 % covered.
    const std::string book = "Livre de la course : 81.56 %\nLivre des chevaux joués : 45.19 %\n"
                             "Part des chances couverte : 55.41 %\n";
    ExpectRuns(
        work,
        {
            {"analyse --cotes 7 3 12 4,5 9/2 --chevaux 3",
             0,
             {book, "Total des mises : 112.98\n", "Cheval 3, mise : 19.23\n",
              "Cheval 3, retour s'il gagne : 249.99\n", "Masse des enjeux gagnant : non indiquée\n",
              "Cheval 1, mise en unités de jeu : 31.30\n"}},
            // Payouts, stake included, give the same book.
            {"analyse --cotes 8 4 13 5.5 11/2 --chevaux 3 --rapports", 0, {book}},
            // The calculator's example rounded to the next ten: 20, 60, 20, 10.
            // Expected 110 x 1753/887 = 217.3957; horse 2 breaks even at
            // 110/60 - 1 = 0.8333, a fall of 1 - 0.8333/4.5 = 81.48 %; the budget
            // defaults to the total.
            {"analyse --chevaux 4 --cotes 14 9/2 15 39 --benefice 4 --arrondi dizaine",
             0,
             {"Livre de la course : 33.60 %\n", "Résultat moyen estimé par le marché : 217.40\n",
              "Total des mises : 110.00\n", "Cheval 2, mise : 60.00\n",
              "Cheval 2, cote de rentabilité : 0.83\n", "Cheval 4, résultat net : 290.00\n",
              "Cheval 2, baisse de cote tolérée : 81.48 %\n", "Budget : 110.00\n"}},
            {"analyse --cotes 7 3 12 4,5 9/2 --chevaux 3 --masse 10000 --prelevement "
             "14 --budget 100",
             0,
             {book, "Cheval 2, cote finale : 2.93\n",
              "Alerte : vos mises font baisser la cote du cheval 2 de 2.30 %\n",
              "Total pour le budget : 100.00\n"}},
            {"analyse --cotes 7 3 --chevaux 10", 1, {"--chevaux", "1 à 9"}},
            {"analyse --cotes 7 3 --chevaux 3", 1, {"2 cotes"}},
            {"analyse --chevaux 1 --cotes", 1, {"Il manque la valeur"}},
            {"analyse --chevaux 1", 1, {"Il manque les cotes"}},
            {"analyse --cotes 7 3", 1, {"--chevaux"}},
            {"analyse --chevaux 1 --cotes 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 "
             "18 19 20 21 22 23",
             1,
             {"22 au plus"}},
            {"analyse --chevaux 1 --cotes 7 abc", 1, {"Cote invalide", "abc"}},
            {"analyse --chevaux 1 --cotes 7 0", 1, {"Cote invalide"}},
            {"analyse --chevaux 1 --cotes 9/0", 1, {"Cote invalide"}},
            {"analyse --chevaux 1 --cotes 7 -3", 1, {"Cote invalide"}},
            {"analyse --chevaux 1 --cotes 7 --masse -5", 1, {"--masse"}},
            {"analyse --chevaux 1 --cotes 7 --prelevement 120", 1, {"--prelevement"}},
            {"analyse --chevaux 1 --cotes 7 --benefice 0", 1, {"--benefice"}},
            {"analyse --chevaux 1 --cotes 7 --arrondi centime",
             1,
             {"decimales, entier ou dizaine"}},
            {"analyse 7 --chevaux 1 --cotes 7", 1, {"Argument inattendu"}},
            {"nimporte", 1, {"sg-race analyse"}},
        });
}

} // namespace
} // namespace sg
