#pragma once

#include <CbcEventHandler.hpp>
#include <CbcModel.hpp>
#include <CoinMessageHandler.hpp>

#include <functional>

namespace rasp::arrange::exact {

// Swallows every message of CBC, CLP and the cut generators: nothing reaches stdout.
class SilentHandler : public CoinMessageHandler
{
public:
    int print() override { return 0; }
    CoinMessageHandler *clone() const override { return new SilentHandler(*this); }
};

// Stops a branch and cut (and the smaller models its heuristics run) when the stop test says so.
class StopHandler : public CbcEventHandler
{
public:
    StopHandler(const std::function<bool()> *stop, CbcModel *main)
        : m_stop(stop)
        , m_main(main)
    { }
    CbcEventHandler *clone() const override { return new StopHandler(*this); }
    CbcAction event(CbcEvent) override
    {
        if (*m_stop && (*m_stop)()) {
            m_main->sayEventHappened();
            return stop;
        }
        return noAction;
    }

private:
    const std::function<bool()> *m_stop;
    CbcModel *m_main;
};

} // namespace rasp::arrange::exact
