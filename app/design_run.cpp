#include "app/design_run.h"

#include <iterator>
#include <exception>
#include <utility>

namespace vortane {

namespace {

// Runs are taken from the worker this often: each take may redraw a chart,
// which holds the interface thread the worker shares the cores with.
constexpr int TakeMilliseconds = 200;

}  // namespace

DesignRun::DesignRun(QObject* parent) : QObject(parent) {
    take_.setInterval(TakeMilliseconds);
    connect(&take_, &QTimer::timeout, this, &DesignRun::Take);
}

DesignRun::~DesignRun() { Stop(); }

void DesignRun::Stop() {
    cancel_ = true;
    take_.stop();
    if (worker_.joinable()) worker_.join();
}

void DesignRun::Start(Search search) {
    if (Running()) return;
    cancel_ = false;
    history_.clear();
    pending_.clear();
    failure_.clear();
    worker_ = std::jthread([this, search = std::move(search)] {
        try {
            search(cancel_, [this](const Evaluation& evaluation) {
                const std::lock_guard lock(mutex_);
                pending_.push_back(evaluation);
            });
        } catch (const std::exception& error) {
            failure_ = error.what();
        }
        QMetaObject::invokeMethod(this, &DesignRun::End, Qt::QueuedConnection);
    });
    take_.start();
}

void DesignRun::Take() {
    std::vector<Evaluation> taken;
    {
        const std::lock_guard lock(mutex_);
        taken.swap(pending_);
    }
    if (taken.empty()) return;
    history_.insert(history_.end(), std::make_move_iterator(taken.begin()), std::make_move_iterator(taken.end()));
    emit Progressed();
}

// The search has returned: the last runs are taken, then the result is read.
void DesignRun::End() {
    if (!worker_.joinable()) return;  // stopped already
    take_.stop();
    worker_.join();
    Take();
    emit Finished();
}

}  // namespace vortane
