#pragma once

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include <QObject>
#include <QString>

#include "viscous/viscous_polar.h"

// A polar from XFOIL on a thread of its own, so that the window stays
// responsive: each angle's result and the end come back as signals on the
// thread that started it. Stopping or destroying it kills XFOIL at once and
// waits the moment that takes, so that neither a process nor a temporary
// folder outlives it.
class ViscousRun : public QObject {
    Q_OBJECT

public:
    explicit ViscousRun(QObject* parent = nullptr);
    ViscousRun(const ViscousRun&) = delete;
    ViscousRun& operator=(const ViscousRun&) = delete;
    ~ViscousRun() override;

    // Starts the polar (see viscousPolar); false, doing nothing, while one runs.
    bool start(std::vector<folix::SectionPoint> contour, std::string name, std::vector<double> alphas,
               folix::ViscousOptions options);
    // Kills XFOIL; the run then ends with the angles not done failed as cancelled.
    void cancel();
    // Cancels and waits for the end, which then is never told.
    void stop();
    bool running() const { return thread_.joinable(); }

signals:
    void angleDone(int index, const folix::ViscousAngle& angle);
    // `failure`: why no polar could be made at all (options, XFOIL missing); empty otherwise.
    void finished(const folix::ViscousPolar& polar, const QString& failure);

private:
    std::thread thread_;
    std::atomic<bool> cancel_{false};
    int generation_ = 0;  // of the run whose signals are told; on the starting thread only
};
