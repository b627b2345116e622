// Start-up speed: the time from starting the process to the first painted day, for Kelvora over a
// copy of the shipped database (first start already behind it) and for an empty Qt Widgets main
// window, both started the same way on the offscreen platform. Kelvora may take at most 1.5 times
// as long as the empty program. For scale it also times the empty window with a menu bar and one
// line of text, the least that any window showing text pays, and Kelvora over a one-month and a
// 20-year diary ending today: the long diary may take at most 1.2 times as long as the short one.
// Start-up checks the whole diary file with SQLite's quick_check once the window is on the screen, so
// that it costs the first paint nothing; the time from the first paint to the moment the program
// takes the user's input is shown beside the check alone.
//
//   startup_bench [runs]     (default 20 runs of each, after 2 warm-up runs)
#include "DiaryHealth.h"
#include "LargeDiary.h"
#include "Startup.h"
#include "deData.h"

#include <QDate>
#include <QFile>
#include <QTemporaryDir>

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <numeric>
#include <stdexcept>
#include <string>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

struct Run {
    double firstPaintMs = 0; // process start to the first painted window
    double readyMs = 0;      // process start to the event loop, which takes the user's input
    double processMs = 0;    // process start to its exit
};

// Starts the program, reads the moment of its first paint from its output and waits for its end.
Run runOnce(const std::string& program, const std::vector<std::string>& arguments) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0)
        throw std::runtime_error("pipe");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[1]);

    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);

    const Clock::time_point started = Clock::now();
    pid_t child = 0;
    const int spawned = posix_spawn(&child, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    if (spawned != 0) {
        close(pipeEnds[0]);
        throw std::runtime_error("cannot start " + program);
    }
    std::string output;
    char buffer[256];
    for (ssize_t n; (n = read(pipeEnds[0], buffer, sizeof buffer)) > 0;)
        output.append(buffer, static_cast<std::size_t>(n));
    close(pipeEnds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    const Clock::time_point ended = Clock::now();
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || output.empty())
        throw std::runtime_error(program + " did not reach its first paint");

    std::size_t end = 0;
    const Clock::time_point painted{std::chrono::nanoseconds(std::stoll(output, &end))};
    const Clock::time_point ready{std::chrono::nanoseconds(std::stoll(output.substr(end)))};
    const auto ms = [](Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); };
    return {ms(painted - started), ms(ready - started), ms(ended - started)};
}

struct Summary {
    double mean, median, min;
};

Summary summarise(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const double mean =
        std::accumulate(values.begin(), values.end(), 0.0) / static_cast<double>(values.size());
    return {mean, values[values.size() / 2], values.front()};
}

void print(const char* what, const Summary& s) {
    std::printf("  %-28s mean %7.1f ms   median %7.1f ms   min %7.1f ms\n", what, s.mean, s.median, s.min);
}

} // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
    setenv("QT_QPA_PLATFORM", "offscreen", 0);

    // The diary as a second start finds it: the first start has moved the sample days to end today
    // and cleared its mark, so the first painted day holds the last sample day's meals.
    QTemporaryDir folder;
    const QString database = kelvora::deData::databasePathIn(folder.path());
    if (!folder.isValid() || !QFile::copy(QStringLiteral(KELVORA_SHIPPED_DATABASE), database)) {
        std::fprintf(stderr, "cannot copy %s\n", KELVORA_SHIPPED_DATABASE);
        return 1;
    }
    QFile::setPermissions(database, QFile::ReadOwner | QFile::WriteOwner);
    {
        kelvora::deData de(database);
        kelvora::shiftSampleData(de, kelvora::DateValue::fromQDate(QDate::currentDate()));
    }

    // The same program over long diaries ending today, of one month and of twenty years: the
    // first painted day must not grow with the diary.
    const kelvora::DateValue today = kelvora::DateValue::fromQDate(QDate::currentDate());
    QTemporaryDir monthFolder, yearsFolder;
    kelvora::makeDiary(kelvora::deData::databasePathIn(monthFolder.path()), today.addMonths(-1), today);
    kelvora::makeDiary(kelvora::deData::databasePathIn(yearsFolder.path()), today.addMonths(-240), today);

    const std::filesystem::path here = std::filesystem::canonical("/proc/self/exe").parent_path();
    const std::string kelvora = (here / "startup_probe").string();
    const std::string empty = (here / "empty_probe").string();
    struct Subject {
        const char* title;
        std::string program;
        std::vector<std::string> arguments;
        std::vector<double> paint, ready, process;
    };
    std::vector<Subject> subjects{
        {"empty Qt Widgets window", empty, {}, {}, {}, {}},
        {"the same with a menu bar and one line of text", empty, {"--with-text"}, {}, {}, {}},
        {"Kelvora, shipped database", kelvora, {folder.path().toStdString()}, {}, {}, {}},
        {"Kelvora, one-month diary", kelvora, {monthFolder.path().toStdString()}, {}, {}, {}},
        {"Kelvora, 20-year diary", kelvora, {yearsFolder.path().toStdString()}, {}, {}, {}},
    };

    try {
        for (int i = 0; i < 2; ++i)
            for (Subject& subject : subjects)
                runOnce(subject.program, subject.arguments);
        // Interleaved, so that a slow moment of the machine falls on all of them alike.
        for (int i = 0; i < runs; ++i)
            for (Subject& subject : subjects) {
                const Run run = runOnce(subject.program, subject.arguments);
                subject.paint.push_back(run.firstPaintMs);
                subject.ready.push_back(run.readyMs);
                subject.process.push_back(run.processMs);
            }
        std::printf("Start-up, %d runs each (QT_QPA_PLATFORM=%s)\n", runs, std::getenv("QT_QPA_PLATFORM"));
        std::vector<double> means;
        for (const Subject& subject : subjects) {
            std::printf("%s\n", subject.title);
            const Summary paint = summarise(subject.paint);
            print("start to first paint", paint);
            print("start to taking input", summarise(subject.ready));
            print("whole process", summarise(subject.process));
            means.push_back(paint.mean);
        }
        // The whole-file check alone, in this process: start-up runs it between the first paint
        // and taking the user's input.
        std::vector<double> checks;
        const QString yearsDiary = kelvora::deData::databasePathIn(yearsFolder.path());
        for (int i = 0; i < runs; ++i) {
            const Clock::time_point started = Clock::now();
            if (kelvora::quickCheck(yearsDiary).outcome != kelvora::HealthReport::Outcome::Sound)
                throw std::runtime_error("the 20-year diary fails its check");
            checks.push_back(std::chrono::duration<double, std::milli>(Clock::now() - started).count());
        }
        const Summary check = summarise(checks);
        std::printf("quick_check of the 20-year diary alone (%.1f MB)\n",
                    static_cast<double>(QFile(yearsDiary).size()) / 1e6);
        print("check", check);
        std::printf("  = %.0f%% of that diary's mean start-up to the first paint; its first paint to taking"
                    " input: %.1f ms\n",
                    100.0 * check.mean / means[4], summarise(subjects[4].ready).mean - means[4]);

        const double ratio = means[2] / means[0];
        const double longRatio = means[4] / means[3];
        std::printf(
            "ratio of the means to first paint, shipped database / empty window: %.2f (at most 1.5: %s)\n"
            "  / window with text: %.2f\n"
            "  20-year diary / one-month diary: %.2f (at most 1.2: %s); 20-year diary / empty window: %.2f\n",
            ratio, ratio <= 1.5 ? "met" : "NOT MET", means[2] / means[1], longRatio,
            longRatio <= 1.2 ? "met" : "NOT MET", means[4] / means[0]);
        return ratio <= 1.5 && longRatio <= 1.2 ? 0 : 3;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
}
