#include "arrange/exactrun.h"

#include <QThread>

namespace rasp::ui {

ExactRun::ExactRun(const arrange::TPodbor &rasp, const arrange::Options &options, const QStringList &classNames,
                   qint64 timeLimitMs, QObject *parent)
    : QObject(parent)
    , m_rasp(rasp)
    , m_options(options)
    , m_classNames(classNames)
    , m_timeLimitMs(timeLimitMs)
{
}

ExactRun::~ExactRun()
{
    if (m_thread) {
        m_cancel = true;
        m_thread->wait();
        delete m_thread;
    }
}

void ExactRun::start()
{
    m_clock.start();
    m_thread = QThread::create([this] {
        arrange::exact::Limits limits;
        limits.timeLimitMs = m_timeLimitMs;
        limits.cancel = &m_cancel;
        limits.progress = [this](const arrange::exact::Progress &p) {
            m_best = p.best;
            m_lowerBound = p.lowerBound;
        };
        m_result = arrange::exact::SolveExact(m_rasp, m_options, m_classNames, limits);
    });
    // Emitted on the worker thread; the window's slot runs queued on the interface thread.
    connect(m_thread, &QThread::finished, this, &ExactRun::finished, Qt::QueuedConnection);
    m_thread->start();
}

} // namespace rasp::ui
