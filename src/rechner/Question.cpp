#include "Question.h"

#include <QLocale>
#include <QString>

#include <cmath>

Answer Gleisrechner::solve(const Question &question, const std::atomic<bool> &cancelled)
{
    Answer answer;
    answer.problem = question.problem;
    const GapSolver solver(question.problem, &cancelled);
    if (solver.isCancelled())
        return answer;
    answer.page = solver.list(question.order, 0, question.rowLimit, &cancelled);
    if (answer.page.total == 0 && !answer.page.cancelled)
        answer.nearest = solver.nearest(&cancelled);
    return answer;
}

QString Gleisrechner::millimetres(qint64 units, const QLocale &locale)
{
    const int decimals = units % 10 != 0 ? 2 : 1;
    return locale.toString(RangeUnits::toMillimetres(units), 'f', decimals);
}

QString Gleisrechner::deviation(qint64 units, const QLocale &locale)
{
    return (units > 0 ? QStringLiteral("+") : QString()) + millimetres(units, locale);
}

qint64 Gleisrechner::units(double millimetres)
{
    return std::llround(millimetres * double(RangeUnits::perMillimetre));
}
