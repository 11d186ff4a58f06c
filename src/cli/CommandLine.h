#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

// The command line of torvelin-search, read without QCommandLineParser: that
// one takes "-1" for an option and speaks English, while a negative number
// here is a (refused) length or tolerance and every message is German.
//
// Options are "--name VALUE", "--name=VALUE" or a flag "--name"; "-h" is
// "--help"; "--" ends the options. Anything else that starts with "-" and a
// letter is an unknown option; "-" followed by a digit is an argument.
class CommandLine
{
public:
    // `valueOptions` take a value, `flags` none; the names without "--".
    // `listOptions` (a subset of valueOptions) may be given more than once,
    // their values gathered in order.
    CommandLine(QStringList valueOptions, QStringList listOptions, QStringList flags);

    // Reads the arguments after the program name. False with error() set on
    // an unknown option, a missing value, a value given to a flag or a
    // single-value option given twice.
    bool parse(const QStringList &arguments);

    QString error() const { return m_error; }
    bool isSet(const QString &name) const { return m_values.contains(name); }
    // The value of a single-value option, the empty text when not given.
    QString value(const QString &name) const;
    // Every value of a list option, in the order given.
    QStringList values(const QString &name) const { return m_values.value(name); }
    QStringList positional() const { return m_positional; }

private:
    QStringList m_valueOptions;
    QStringList m_listOptions;
    QStringList m_flags;
    QHash<QString, QStringList> m_values;
    QStringList m_positional;
    QString m_error;
};

// The positional arguments of a search, LÄNGE or LÄNGE MINUS PLUS, with the
// length a whole number of millimetres in the searchable range: the empty
// text when they are, else the German refusal. The tolerances are left to
// the caller, whose ranges differ.
QString refusedSearchArguments(const QStringList &positional);
