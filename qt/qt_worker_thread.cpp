#include "qt/qt_worker_thread.h"

#include <QThread>

namespace radio {
namespace {

class QtWorkerThread : public WorkerThread {
  public:
    explicit QtWorkerThread(std::function<void()> job) : m_thread(QThread::create(std::move(job))) {
        m_thread->start();
    }
    void Join() override { m_thread->wait(); }

  private:
    std::unique_ptr<QThread> m_thread;  // never parented: it ends with this object
};

}  // namespace

std::unique_ptr<WorkerThread> StartQtThread(std::function<void()> job) {
    return std::make_unique<QtWorkerThread>(std::move(job));
}

}  // namespace radio
