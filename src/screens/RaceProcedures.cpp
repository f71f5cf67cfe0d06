#include "screens/RaceProcedures.h"

#include "app/ImportTexts.h"
#include "app/Messages.h"
#include "ledger/Arrival.h"
#include "ledger/Play.h"
#include "numbers/Numbers.h"
#include "racefile/RaceLoading.h"
#include "screens/BetJournal.h"
#include "screens/Controls.h"
#include "screens/Screens.h"
#include "screens/frmJeuGagnant.h"
#include "screens/frmOptions.h"
#include "screens/frmOuvrir.h"
#include "screens/rappJS.h"

namespace sg {

void RaceProcedures::ChooseRaceFile() {
    frmOuvrir* dialog = screens_.openFileDialog();
    if (!dialog) return; // the pending choice goes on
    screens_.state.race.FileDialogStatus.clear();
    screens_.state.race.ChosenForReading = false;
    QObject::connect(dialog, &frmOuvrir::choiceMade, dialog, [this] { FileDialogClosed(); });
}

void RaceProcedures::FileDialogClosed() {
    SharedState& state = screens_.state;
    if (state.race.FileDialogStatus == "cancel") return;
    const std::string path = state.race.ChosenFilePath;
    if (auto opened = state.race.Open(path, state.race.ChosenForReading); !opened) {
        screens_.prompter.message(Messages::CannotOpen(path, opened.Error().Message()));
        return;
    }
    screens_.RaceFileOpened();
    auto readOnly = state.race.ReadOnlyReason();
    screens_.options().ShowFilePath(path, readOnly.has_value());
    RefreshRaceDisplay();
    screens_.results().ShowReadOnly(readOnly.has_value());
    frmJeuGagnant& main = screens_.main();
    if (LeadingNumberOr0(main.RunnerCountText()) == 0) {
        main.SetRunnerCountText("22 ?");
        main.SetRunnerCountWidth(500);
    }
    if (auto runners = RunnerCountOf(main.RunnerCountText())) main.ShowRunnerRows(*runners);
    // Asked for, reading only needs no explaining; found so, it does.
    if (readOnly && *readOnly != RaceFileFailure::OpenedForReading)
        screens_.prompter.message(Messages::OpenedReadOnly(path, FrenchMessage(*readOnly)));
}

void RaceProcedures::Navigate(int xTwips, int yTwips) {
    Navigate(ZoneAt(xTwips, yTwips));
}

void RaceProcedures::Navigate(NavigationZone zone) {
    SharedState& state = screens_.state;
    if (state.race.NoRaceFileOpen()) {
        screens_.prompter.message(Messages::NoFileToNavigate);
        return;
    }
    int current = state.race.CurrentRace;
    int race = current;
    if (zone == NavigationZone::Number) {
        auto answer = AnswerToRaceNumber(
            screens_.prompter.input(Messages::RaceNumberPrompt, Messages::QuestionTitle, ""));
        if (answer.kind == RaceNumberAnswer::Kind::ReloadOnly) {
            LoadCurrentRace();
            return;
        }
        if (answer.kind == RaceNumberAnswer::Kind::Go) race = answer.race;
    } else if (zone == NavigationZone::Previous) {
        race = PreviousRaceOf(current);
    } else if (zone == NavigationZone::First) {
        race = FirstRace;
    } else if (zone == NavigationZone::Last || zone == NavigationZone::Next) {
        auto count = state.race.RaceCount();
        if (!count) {
            screens_.prompter.message(Messages::CannotRead(current, count.Error().Message()));
            return;
        }
        race = zone == NavigationZone::Last ? LastRaceOf(count.Value())
                                            : NextRaceOf(current, count.Value());
    }
    if (!ReadRace(race)) return;
    if (zone == NavigationZone::Last &&
        state.race.RaceRecord.FieldNumber(RaceField::RunnerCount).value_or(0) == 0)
        screens_.prompter.message(Messages::EmptyRace);
    FullLoad();
}

bool RaceProcedures::ReadRace(int race) {
    if (auto read = screens_.state.race.Load(race); !read) {
        screens_.prompter.message(Messages::CannotRead(race, read.Error().Message()));
        return false;
    }
    return true;
}

// The race just read, on a screen cleared of the former race's rows, then computed.
void RaceProcedures::FullLoad() {
    frmJeuGagnant& main = screens_.main();
    for (int row = 1; row <= RunnerRows; ++row) {
        main.SetRowOdds(row, "");
        main.SetRowNumber(row, "?");
    }
    RefreshRaceDisplay();
    main.Command1_Click();
}

void RaceProcedures::ShowRace(int race) {
    if (ReadRace(race)) FullLoad();
}

bool RaceProcedures::LoadCurrentRace() {
    if (!ReadRace(screens_.state.race.CurrentRace)) return false;
    ShowRaceRows();
    return true;
}

void RaceProcedures::ShowRaceRows() {
    SharedState& state = screens_.state;
    frmJeuGagnant& main = screens_.main();
    RunnerRowsFill fill =
        SortRunners(state.race.RaceRecord, state.settings.OddsKind, state.race.StoredOdds);
    for (int row = 1; row <= fill.clearedRows; ++row) main.SetRowOdds(row, "");
    for (int row = 1; row <= fill.filledRows; ++row) {
        main.SetRowNumber(row, fill.numbers[row]);
        main.SetRowOdds(row, fill.odds[row]);
    }
    main.ShowRaceNumber(RaceNumberCaption(state.race.CurrentRace));
    screens_.options().ShowRaceOrigin(
        ImportTexts::RaceOriginText(state.race.Index, state.race.CurrentRace));
}

void RaceProcedures::RefreshRaceDisplay() {
    SharedState& state = screens_.state;
    frmJeuGagnant& main = screens_.main();
    const RaceRecord& record = state.race.RaceRecord;
    main.SetRunnerCountText(RunnerCountText(record));
    std::string payout = WinnerPayoutText(record);
    state.ledger.ArrivalNumbers = ParseArrival(record);
    main.SetHintLine(state.settings.ShowArrivalOnRaceChange
                         ? ArrivalMessage(state.ledger.ArrivalNumbers, payout)
                         : Messages::PlayToSeeArrival);
    ShowRaceRows();
    FillResultsWindow();
    for (int row = 1; row <= RunnerRows; ++row) main.PaintRow(row, RowColours{});
    RefreshArrivalColours();
}

void RaceProcedures::FillResultsWindow() {
    const RaceSession& race = screens_.state.race;
    screens_.results().ShowResults(ResultsWindowTextsOf(race.RaceRecord, race.CurrentRace));
}

void RaceProcedures::ShowArrivalColours() {
    SharedState& state = screens_.state;
    frmJeuGagnant& main = screens_.main();
    state.ledger.ArrivalNumbers = ParseArrival(state.race.RaceRecord);
    auto colours = ArrivalColours(state.ledger.ArrivalNumbers, main.RowNumbers());
    for (int row = 1; row <= RunnerRows; ++row) main.PaintRow(row, colours[row]);
}

// Without the setting the rows stay as the race display left them: all white.
void RaceProcedures::RefreshArrivalColours() {
    if (screens_.state.settings.ShowArrivalOnRaceChange) ShowArrivalColours();
}

void RaceProcedures::Play() {
    SharedState& state = screens_.state;
    frmJeuGagnant& main = screens_.main();
    main.Command1_Click();
    BetOnScreen bet{main.ProfitText(), state.calc.StakeTotalWhole, state.calc.PlayedHorseCount,
                    main.ColumnNumbers(), main.ColumnStakes()};
    PlayOutcome outcome =
        sg::Play(state.ledger, bet, state.race.RaceRecord, state.settings.DecimalSeparator);
    if (outcome.kind != PlayOutcome::Kind::Played) {
        screens_.prompter.message(outcome.kind == PlayOutcome::Kind::LosingBet
                                      ? Messages::LosingBet
                                      : Messages::BeyondLedgerLimits);
        return;
    }
    frmOptions& options = screens_.options();
    options.ShowBalance(outcome.texts);
    options.PaintBalanceMark(outcome.mark);
    main.SetHintLine(
        ArrivalMessage(state.ledger.ArrivalNumbers, WinnerPayoutText(state.race.RaceRecord)));
    ShowArrivalColours();
    JournalPlay(screens_, bet, outcome.won);
}

void RaceProcedures::SaveResults() {
    SharedState& state = screens_.state;
    if (state.race.NoRaceFileOpen()) {
        screens_.prompter.message(Messages::NoFileToSave);
        return;
    }
    if (auto readOnly = state.race.ReadOnlyReason()) {
        screens_.prompter.message(
            Messages::CannotSave(state.race.CurrentRace, FrenchMessage(*readOnly)));
        return;
    }
    frmJeuGagnant& main = screens_.main();
    rappJS& results = screens_.results();
    ResultsToSave save{main.RunnerCountText(),
                       results.StoresOdds() ? std::optional(state.settings.OddsKind) : std::nullopt,
                       main.RowNumbers(),
                       main.RowOdds(),
                       results.ArrivalBoxes(),
                       results.PayoutBoxes()};
    if (!PrepareSave(state.race.RaceRecord, save)) {
        screens_.prompter.message(Messages::RunnerCountBeforeSaving);
        return;
    }
    if (auto saved = state.race.Save(); !saved)
        screens_.prompter.message(
            Messages::CannotSave(state.race.CurrentRace, saved.Error().Message()));
}

} // namespace sg
