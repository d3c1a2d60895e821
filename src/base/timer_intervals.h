#pragma once

namespace quenmark {

// Every timer of the program, in milliseconds.
inline constexpr int kScanIntervalMs = 500;     // tmrScheduler: looks for due schedules
inline constexpr int kQueueIntervalMs = 500;    // tmrProcessSchedule: hands the queue head over
inline constexpr int kActionIntervalMs = 250;   // timSchedule: runs the queue head
inline constexpr int kTrayRefreshMs = 15000;    // tmrTrayIcon while the icon is in place
inline constexpr int kTrayRetryMs = 5000;       // tmrTrayIcon while adding the icon fails
inline constexpr int kSplashTickMs = 2;         // frmSplash.Timer2: the start-up countdown

}  // namespace quenmark
