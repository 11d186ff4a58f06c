#include "AnswerWorker.h"

#include <QMutexLocker>

AnswerWorker::AnswerWorker(Solve solve, QObject *parent)
    : QThread(parent), m_solve(std::move(solve))
{
    qRegisterMetaType<Answer>();
}

AnswerWorker::~AnswerWorker()
{
    {
        QMutexLocker locker(&m_mutex);
        m_quit = true;
        m_cancel = true;
        m_wake.wakeOne();
    }
    wait();
}

quint64 AnswerWorker::ask(const Question &question)
{
    QMutexLocker locker(&m_mutex);
    m_question = question;
    m_pending = true;
    m_cancel = true;
    if (!isRunning())
        start(QThread::LowPriority);
    else
        m_wake.wakeOne();
    return ++m_serial;
}

void AnswerWorker::run()
{
    for (;;) {
        Question question;
        quint64 serial = 0;
        {
            QMutexLocker locker(&m_mutex);
            while (!m_pending && !m_quit)
                m_wake.wait(&m_mutex);
            if (m_quit)
                return;
            question = m_question;
            serial = m_serial;
            m_pending = false;
            m_cancel = false;
        }
        Answer answer = m_solve(question, m_cancel);
        if (m_cancel)
            continue; // a newer question is waiting, or the window is closing
        answer.serial = serial;
        Q_EMIT answered(answer);
    }
}
