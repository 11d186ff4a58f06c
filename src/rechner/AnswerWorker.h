#pragma once

#include "Question.h"

#include <QMutex>
#include <QThread>
#include <QWaitCondition>

#include <atomic>

// Answers questions off the user-interface thread. Each new question
// abandons the one being answered (the solver watches the cancel flag), so a
// keystroke never waits for the answer to the previous one; answers come
// back through a queued signal, each tagged with its question's serial.
class AnswerWorker : public QThread
{
    Q_OBJECT

public:
    explicit AnswerWorker(Solve solve, QObject *parent = nullptr);
    ~AnswerWorker() override;

    // Returns the question's serial.
    quint64 ask(const Question &question);

Q_SIGNALS:
    void answered(const Answer &answer);

protected:
    void run() override;

private:
    Solve m_solve;
    QMutex m_mutex;
    QWaitCondition m_wake;
    Question m_question;
    quint64 m_serial = 0;
    bool m_pending = false;
    bool m_quit = false;
    std::atomic<bool> m_cancel = false;
};
