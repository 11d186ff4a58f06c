#include "CommandLine.h"

#include "core/SearchInputs.h"
#include "core/UserText.h"

#include <QRegularExpression>

CommandLine::CommandLine(QStringList valueOptions, QStringList listOptions, QStringList flags)
    : m_valueOptions(std::move(valueOptions)), m_listOptions(std::move(listOptions)),
      m_flags(std::move(flags))
{
}

bool CommandLine::parse(const QStringList &arguments)
{
    bool optionsEnded = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        const bool looksLikeOption =
            argument.size() > 1 && argument.startsWith(u'-') && !argument.at(1).isDigit();
        if (optionsEnded || !looksLikeOption) {
            m_positional << argument;
            continue;
        }
        if (argument == u"--") {
            optionsEnded = true;
            continue;
        }
        QString name;
        QString value;
        bool hasValue = false;
        if (argument == u"-h") {
            name = QStringLiteral("help");
        } else if (argument.startsWith(u"--")) {
            name = argument.mid(2);
            const qsizetype equals = name.indexOf(u'=');
            if (equals >= 0) {
                value = name.mid(equals + 1);
                name.truncate(equals);
                hasValue = true;
            }
        }
        if (m_flags.contains(name)) {
            if (hasValue) {
                m_error = QStringLiteral("Die Option --%1 nimmt keinen Wert.").arg(name);
                return false;
            }
            m_values[name];
            continue;
        }
        if (!m_valueOptions.contains(name)) {
            m_error = QStringLiteral("Unbekannte Option: %1 (siehe --help)")
                          .arg(UserText::quoted(argument));
            return false;
        }
        if (!hasValue) {
            if (i + 1 >= arguments.size()) {
                m_error = QStringLiteral("Bei --%1 fehlt der Wert.").arg(name);
                return false;
            }
            value = arguments.at(++i);
        }
        if (m_values.contains(name) && !m_listOptions.contains(name)) {
            m_error = QStringLiteral("Die Option --%1 ist mehrfach angegeben.").arg(name);
            return false;
        }
        m_values[name] << value;
    }
    return true;
}

QString CommandLine::value(const QString &name) const
{
    const QStringList given = m_values.value(name);
    return given.isEmpty() ? QString() : given.first();
}

QString refusedSearchArguments(const QStringList &positional)
{
    if (positional.size() != 1 && positional.size() != 3)
        return QStringLiteral("Erwartet werden LÄNGE oder LÄNGE MINUS PLUS (siehe --help).");
    // Any number of digits is a whole number; one too long for the range
    // gets the range message like any other, not a complaint about its form.
    const QString &length = positional.at(0);
    static const QRegularExpression wholeNumber(QStringLiteral("^-?[0-9]+$"));
    if (!wholeNumber.match(length).hasMatch())
        return QStringLiteral("LÄNGE muss eine ganze Zahl von Millimetern sein: %1")
            .arg(UserText::quoted(length));
    const SearchInputs::Problem range = SearchInputs::checkLength(length);
    return range == SearchInputs::Problem::None ? QString() : SearchInputs::message(range);
}
