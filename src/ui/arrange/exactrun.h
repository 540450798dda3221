#pragma once

#include "arrange/analysis.h"
#include "arrange/exact/exactsolver.h"
#include "arrange/tpodbor.h"

#include <QElapsedTimer>
#include <QObject>
#include <QStringList>

#include <atomic>

class QThread;

namespace rasp::ui {

// One exact arrangement on a worker thread: it works on its own copy of the snapshot, so the
// window's state is never touched off the interface thread. The window reads the progress
// (elapsed time, best count, lower bound) whenever it likes, cancels through an atomic flag and
// takes the result after finished(). Destroying it cancels the search and waits for the thread.
class ExactRun : public QObject
{
    Q_OBJECT

public:
    ExactRun(const arrange::TPodbor &rasp, const arrange::Options &options, const QStringList &classNames,
             qint64 timeLimitMs, QObject *parent = nullptr);
    ~ExactRun() override;

    // Starts the search on its thread.
    void start();
    // Asks the search to stop; finished() follows soon.
    void cancel() { m_cancel = true; }
    bool cancelRequested() const { return m_cancel; }

    qint64 elapsedMs() const { return m_clock.elapsed(); }
    int best() const { return m_best; }
    int lowerBound() const { return m_lowerBound; }

    // After finished(): the outcome and, when solved, the day in the snapshot's working copy.
    const arrange::exact::Result &result() const { return m_result; }
    const arrange::TPodbor &day() const { return m_rasp; }
    const arrange::Options &options() const { return m_options; }

signals:
    // The search has ended (solved, impossible, out of time or cancelled).
    void finished();

private:
    arrange::TPodbor m_rasp;
    arrange::Options m_options;
    QStringList m_classNames;
    qint64 m_timeLimitMs;
    arrange::exact::Result m_result;
    std::atomic<bool> m_cancel{false};
    std::atomic<int> m_best{-1};
    std::atomic<int> m_lowerBound{0};
    QElapsedTimer m_clock;
    QThread *m_thread = nullptr;
};

} // namespace rasp::ui
