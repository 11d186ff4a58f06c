#pragma once

#include "core/GapSolver.h"

#include <QList>
#include <QMetaType>

#include <atomic>
#include <functional>

// One question to the solver as the window asks it, and its answer.
struct Question
{
    GapSolver::Problem problem;
    GapSolver::Order order = GapSolver::Order::Pieces;
    qint64 rowLimit = 0; // how many of the best rows to list
};

struct Answer
{
    quint64 serial = 0; // which question this answers
    GapSolver::Problem problem;
    GapSolver::Page page;
    // Filled when nothing fits.
    GapSolver::Nearest nearest;
};

// Works out an answer; gives up early (with an incomplete answer) when
// `cancelled` turns true.
using Solve = std::function<Answer(const Question &, const std::atomic<bool> &cancelled)>;

class QLocale;
class QString;

namespace Gleisrechner {
// The answer of the core's solver.
Answer solve(const Question &question, const std::atomic<bool> &cancelled);

// A length in the solver's units as the window shows it: grouped, one
// decimal, a second one where the length has it ("1.265,5", "27,75").
QString millimetres(qint64 units, const QLocale &locale);
// A deviation with its sign, "+0,4" or "-1,25"; "0,0" for none.
QString deviation(qint64 units, const QLocale &locale);
// Millimetres as the window's boxes hold them, in the solver's units.
qint64 units(double millimetres);
} // namespace Gleisrechner

Q_DECLARE_METATYPE(Answer)
