#include "calc/HorseCountSelection.h"
#include "calc/TargetProfit.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace sg {
namespace {

// A screen whose profit is a function of the target, as the real computation is.
struct FakeScreen : HorseCountScreen {
    CalculatorState& state;
    std::function<float(float)> profitOf = [](float target) { return 4 * target; };
    int computes = 0, shownColumns = 0;
    std::vector<std::string> messages;
    std::vector<float> previewedTargets;

    explicit FakeScreen(CalculatorState& s) : state(s) {}
    void ShowPlayedColumns(int k) override { shownColumns = k; }
    void ShowMessage(const std::string& text) override { messages.push_back(text); }
    void Compute() override {
        ++computes;
        state.ComputedProfit = profitOf(state.TargetProfit);
        if (ReactToProfitText(std::to_string(state.ComputedProfit)).lowProfit)
            state.LowProfitFlag = 1;
    }
    void Preview() override {
        previewedTargets.push_back(state.TargetProfit);
        state.ComputedProfit = profitOf(state.TargetProfit);
    }
};

HorseCountChoice Choice(int k, const std::string& wanted) {
    HorseCountChoice choice{k, {}, wanted};
    choice.oddsTexts.fill("5");
    return choice;
}

TEST(HorseCountSelection, MissingOddsStopTheRunWithTheMessageOfTheCount) {
    struct Case {
        int k;
        std::vector<int> empty;
        const char* message;
    } cases[] = {
        {1, {1}, "Veuillez inscrire la cote du 1er cheval"},
        {2, {2}, "Veuillez inscrire toutes les cotes"},
        {3, {3}, "Vous devez d'abord mentionnner les cotes des 3 chevaux!"},
        {5, {2, 4}, "Vous devez d'abord mentionnner les cotes des 5 chevaux!"},
        {9, {9}, "Vous devez d'abord mentionnner les cotes des 9 chevaux!"},
    };
    for (const auto& c : cases) {
        CalculatorState state;
        FakeScreen screen(state);
        HorseCountChoice choice = Choice(c.k, "Montant?");
        for (int i : c.empty) choice.oddsTexts[i] = "";
        SelectHorseCount(state, screen, choice);
        EXPECT_EQ(screen.messages, std::vector<std::string>{c.message});
        EXPECT_EQ(screen.shownColumns, c.k);
        EXPECT_EQ(screen.computes, 0);
    }
}

TEST(HorseCountSelection, EverySecondRunRunsOnceMoreAndAFarProfitOnceMore) {
    CalculatorState state;
    FakeScreen screen(state);
    SelectHorseCount(state, screen, Choice(3, "Montant?"));
    EXPECT_EQ(screen.computes, 2);
    SelectHorseCount(state, screen, Choice(3, "Montant?"));
    EXPECT_EQ(screen.computes, 6);
    EXPECT_EQ(state.HorseCountClickCounter, 3);
    state.HorseCountClickCounter = 32767; // the counter stops there: no more second runs
    SelectHorseCount(state, screen, Choice(3, "Montant?"));
    EXPECT_EQ(screen.computes, 8);

    // A wanted profit of ten or less searches nothing; 40 is more than 10 away: a third run.
    CalculatorState fresh;
    FakeScreen other(fresh);
    SelectHorseCount(fresh, other, Choice(2, "8"));
    EXPECT_TRUE(other.previewedTargets.empty());
    EXPECT_EQ(other.computes, 3);
    EXPECT_EQ(fresh.TargetProfit, 10);
}

// A whole search toward a wanted profit is the profit search scenario's; here, its ends.
TEST(HorseCountSelection, ALowProfitFoundByTheSearchEndsTheRun) {
    struct Case {
        float target, profit;
        std::int16_t flag;
        const char* wanted;
        std::vector<float> previewed;
        int computes;
        std::int16_t flagLeft;
    } cases[] = {
        {10, 1.5, 0, "500", {}, 1, 0}, // below 2: one computation ends the handler
        {10, 400, 1, "50", {8}, 0, 0},
        // Raising by tenths goes on over the flag; the first thirtieth meets it.
        {20, 80, 1, "100", {22, 24.2f, 25.006668f}, 0, 0},
        // Each step is worked out in double: in single precision a tenth of this subnormal
        // target rounds otherwise.
        {2e-40f, 50, 0, "100", {2.20001056e-40f}, 1, 1},
    };
    for (const auto& c : cases) {
        CalculatorState state;
        state.TargetProfit = c.target;
        state.ComputedProfit = c.profit;
        state.LowProfitFlag = c.flag;
        FakeScreen screen(state);
        SelectHorseCount(state, screen, Choice(2, c.wanted));
        EXPECT_EQ(screen.previewedTargets, c.previewed) << c.wanted;
        EXPECT_EQ(screen.computes, c.computes) << c.wanted;
        EXPECT_EQ(state.LowProfitFlag, c.flagLeft) << c.wanted;
    }
    // A search that cannot move the profit (odds that fail to compute) still ends.
    for (auto [wanted, target] : {std::pair{"1e300", 10.0f}, {"1e300", 3e38f}, {"11", 10.0f}}) {
        CalculatorState state;
        state.TargetProfit = target;
        state.ComputedProfit = 500;
        FakeScreen screen(state);
        screen.profitOf = [](float) { return 500.0f; };
        SelectHorseCount(state, screen, Choice(2, wanted));
        EXPECT_LE(screen.previewedTargets.size(), 6u * MaxSearchSteps) << wanted;
        EXPECT_GE(screen.computes, 2) << wanted;
    }
}

TEST(TargetProfit, TheShownProfitDrivesTheWarningAndTheWantedProfit) {
    struct Case {
        const char* text;
        bool low, warning;
        const char* wanted;
    } cases[] = {
        {"-30,00 Euros", true, true, "-30"}, {"40,00 Euros", false, false, " 40"},
        {".00 Euros", true, false, " 0"},    {"0,75 Euros", true, false, " 0"},
        {"1,50 Euros", false, false, " 1"},  {"203.21 Euros", false, false, " 203"},
        {"-30.50 Euros", true, true, "-31"}, {"EUROS (FS, etc.)", true, false, " 0"},
    };
    for (const auto& c : cases) {
        ProfitReaction reaction = ReactToProfitText(c.text);
        EXPECT_EQ(reaction.lowProfit, c.low) << c.text;
        EXPECT_EQ(reaction.showWarning, c.warning) << c.text;
        EXPECT_EQ(WantedProfitFromProfitText(c.text), c.wanted) << c.text;
    }
    EXPECT_FALSE(ShowsPositiveProfit(".00 Euros"));
    EXPECT_TRUE(ShowsPositiveProfit("0.5 Euros"));
}

} // namespace
} // namespace sg
