#pragma once

#include <QObject>
#include <QTimer>

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "design/goal_seek.h"

namespace vortane {

// A goal seek or an optimisation on a worker thread. The search hands each
// run it makes over as it finishes; the interface thread takes them a few
// times a second (Progressed) and, once the search has returned, joins it
// (Finished). Cancel sets the flag the search checks between runs.
class DesignRun final : public QObject {
    Q_OBJECT

public:
    // The search: it checks `cancel` between runs and calls `progress` after
    // each; it keeps its own result, read once Finished is signalled.
    using Search = std::function<void(const std::atomic<bool>& cancel,
                                      const std::function<void(const Evaluation&)>& progress)>;

    explicit DesignRun(QObject* parent = nullptr);
    ~DesignRun() override;  // cancels a search under way and waits for it

    bool Running() const { return worker_.joinable(); }
    // Starts `search`; the history of the last one is dropped.
    void Start(Search search);
    void Cancel() { cancel_ = true; }
    // Cancels a search under way and waits for it; Finished is not signalled.
    void Stop();
    bool Cancelled() const { return cancel_; }

    // The runs taken so far, in the order they finished.
    const std::vector<Evaluation>& History() const { return history_; }
    // Why the last search could not be made (its error's text), once it has
    // ended; empty when it ran.
    const std::string& Failure() const { return failure_; }

signals:
    void Progressed();
    void Finished();

private:
    void Take();
    void End();

    std::atomic<bool> cancel_ = false;
    std::mutex mutex_;
    std::vector<Evaluation> pending_;  // handed over, not yet taken
    std::vector<Evaluation> history_;
    std::string failure_;  // written by the worker, read once it is joined
    QTimer take_;
    std::jthread worker_;
};

}  // namespace vortane
