// GameFixture.h: a game with the null front end for tests, and the player's actions on it in lattice terms.
#pragma once

#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "core/RunErrors.h"
#include "files/ProblemFile.h"
#include "game/NullFrontEnd.h"
#include "support/Masks.h"
#include "support/Paths.h"

// A game of its own, moves shown at once, and the player's actions on it.
class Player {
public:
    std::unique_ptr<GameRig> rig = std::make_unique<GameRig>();
    TGame& game = rig->Game;
    TNullFrontEnd& fe = rig->FrontEnd;

    const Coords corner{{0, 0}, {1, 0}, {1, 1}};

    Player() { game.SetAnimation(false); }
    explicit Player(GameRecords& records) : rig(std::make_unique<GameRig>(records)) { game.SetAnimation(false); }

    // A problem arrives as a file of that name does.
    void Open(const Coords& points, const std::string& name = "Vandrel5")
    {
        game.InstallOpened(ProblemOf(points), name);
        rig->Jobs.RunAll();
    }

    // The corner opened in puzzle play and its play started.
    void StartCorner()
    {
        game.ChooseMode(MenuPuzzle);
        Open(corner);
        game.Start();
    }

    // The built-in sample opened in puzzle play and its play started.
    void StartSample()
    {
        game.ChooseMode(MenuPuzzle);
        game.InstallOpened(std::get<ParsedProblem>(ParseProblemLines(BuiltInSampleLines())), "Vandrel000");
        game.Start();
    }

    PixelPoint PixelOf(int x, int y) const { return game.View().WorldToPixel(x, y); }

    // A click on the lattice point (x, y).
    void Click(int x, int y)
    {
        const PixelPoint p = PixelOf(x, y);
        game.MouseDown(0, false, p.X, p.Y);
        game.MouseUp();
    }

    // The point at (x, y) picked and an operation chosen for it.
    void Move(int x, int y, int op)
    {
        Click(x, y);
        game.ChooseOperation(op);
    }

    void Pass(double seconds)
    {
        fe.Time += seconds;
        game.Tick(fe.Time);
    }

    std::uint8_t Mask() const { return MaskOf(game.Status().Enabled); }
    Coords Path() const { return WorkCoords(game.Puzzle()); }
};

// Records whose stores fail when told to, for what a failed store must not cost.
struct FailingRecords : TNullFrontEnd {
    bool FailBest = false;
    bool FailMarks = false;
    bool FailLookup = false;

    std::int32_t BestTime(const std::string& name) override
    {
        if (FailLookup)
            throw EIntOverflow();
        return TNullFrontEnd::BestTime(name);
    }
    void StoreBestTime(const std::string& name, std::int32_t seconds) override
    {
        if (FailBest)
            throw EFileError("the best time");
        TNullFrontEnd::StoreBestTime(name, seconds);
    }
    void StoreFewestSolve(const std::string& name) override
    {
        if (FailMarks)
            throw EFileError("the mark");
        TNullFrontEnd::StoreFewestSolve(name);
    }
};

class GameTest : public testing::Test, public Player {};
