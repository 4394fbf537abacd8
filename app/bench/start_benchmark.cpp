// How fast the program puts up its title, next to an empty Qt window of the same size started the
// same way: each run starts a fresh process, and the two kinds take turns so that both see the
// same machine. For each it prints the median time from the launch to the window being mapped
// (first exposed) and to its first paint having reached the screen.
//   start_benchmark [runs] [data folder]
// It needs an X display (DISPLAY); the data folder defaults to donnees/ beside the benchmark and
// is copied, so the runs never touch it. scripts/start_benchmark.sh sets all this up.
#include "app/program.h"

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

long long nowNs() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1000000000LL + t.tv_nsec;
}

// Watches the first top-level window that becomes exposed: that moment is "mapped"; once one of
// its widgets has had a paint event, the next turn of the event loop comes after the backing
// store was flushed to the screen: that moment is "painted". Then the process reports and ends.
class StartWatch : public QObject {
public:
    explicit StartWatch(long long launchNs) : launch_(launchNs) {}

protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        if (event->type() == QEvent::Expose && !window_) {
            auto* window = qobject_cast<QWindow*>(object);
            if (window && window->isExposed()) {
                window_ = window;
                mapped_ = nowNs();
            }
        } else if (event->type() == QEvent::Paint && window_ && !painted_) {
            auto* widget = qobject_cast<QWidget*>(object);
            if (widget && widget->window()->windowHandle() == window_) {
                painted_ = true;
                QTimer::singleShot(0, [this] { report(); });
            }
        }
        return false;
    }

private:
    void report() {
        const QSize size = window_ ? window_->size() : QSize();
        std::printf("%lld %lld %d %d\n", mapped_ - launch_, nowNs() - launch_, size.width(),
                    size.height());
        std::fflush(stdout);
        // The program's own ending (saving, restoring the display) is not what is measured.
        _exit(0);
    }

    long long launch_;
    QPointer<QWindow> window_;
    long long mapped_ = 0;
    bool painted_ = false;
};

int runChild(int& argc, char** argv, const std::string& kind, long long launchNs) {
    QApplication app(argc, argv);
    StartWatch watch(launchNs);
    app.installEventFilter(&watch);
    QWidget empty;
    if (kind == "program") {
        app::startProgram();
    } else {
        // An empty window as large as the title's: the screen, as the title screen is maximised.
        empty.setGeometry(QGuiApplication::primaryScreen()->geometry());
        empty.showMaximized();
    }
    return app.exec();
}

struct Sample {
    double mappedMs = 0, paintedMs = 0;
    int width = 0, height = 0;
};

bool runOnce(const std::string& self, const std::string& kind, const fs::path& folder,
             Sample& out) {
    int pipeFds[2];
    if (pipe(pipeFds) != 0) return false;
    const long long launch = nowNs();
    const pid_t pid = fork();
    if (pid < 0) return false;
    if (pid == 0) {
        close(pipeFds[0]);
        dup2(pipeFds[1], STDOUT_FILENO);
        if (chdir(folder.c_str()) != 0) _exit(2);
        const std::string stamp = std::to_string(launch);
        execl(self.c_str(), self.c_str(), "--child", kind.c_str(), stamp.c_str(),
              static_cast<char*>(nullptr));
        _exit(127);
    }
    close(pipeFds[1]);
    std::string text;
    char buffer[256];
    ssize_t n;
    while ((n = read(pipeFds[0], buffer, sizeof buffer)) > 0) text.append(buffer, size_t(n));
    close(pipeFds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    long long mapped = 0, painted = 0;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 ||
        std::sscanf(text.c_str(), "%lld %lld %d %d", &mapped, &painted, &out.width, &out.height) !=
            4)
        return false;
    out.mappedMs = mapped / 1e6;
    out.paintedMs = painted / 1e6;
    return true;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::strcmp(argv[1], "--child") == 0) {
        int childArgc = 1;
        return runChild(childArgc, argv, argv[2], std::atoll(argv[3]));
    }
    if (!std::getenv("DISPLAY")) {
        std::fprintf(stderr, "start_benchmark: no X display (DISPLAY is not set)\n");
        return 2;
    }
    const std::string self = fs::canonical("/proc/self/exe").string();
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 21;
    const fs::path data = argc > 2 ? fs::path(argv[2]) : fs::path(self).parent_path() / "donnees";
    if (!fs::exists(data / "titre.wmf")) {
        std::fprintf(stderr, "start_benchmark: no data folder at %s\n", data.c_str());
        return 2;
    }
    char pattern[] = "/tmp/start_benchmark.XXXXXX";
    if (!mkdtemp(pattern)) return 2;
    const fs::path work = pattern;
    fs::copy(data, work / "donnees", fs::copy_options::recursive);
    // The xcb platform, whatever the calling shell says: the offscreen one maps nothing.
    setenv("QT_QPA_PLATFORM", "xcb", 1);

    std::vector<double> mapped[2], painted[2];
    Sample last[2];
    const char* kinds[2] = {"program", "empty"};
    // One unmeasured start of each warms the file cache, as a second start of the day would.
    for (const char* kind : kinds) {
        Sample warm;
        if (!runOnce(self, kind, work / "donnees", warm)) {
            std::fprintf(stderr, "start_benchmark: the %s start failed\n", kind);
            fs::remove_all(work);
            return 1;
        }
    }
    for (int r = 0; r < runs; ++r) {
        for (int i = 0; i < 2; ++i) {
            // The two kinds take turns, and which one goes first alternates too.
            const int k = (r % 2 == 0) ? i : 1 - i;
            Sample s;
            if (!runOnce(self, kinds[k], work / "donnees", s)) {
                std::fprintf(stderr, "start_benchmark: the %s start failed\n", kinds[k]);
                fs::remove_all(work);
                return 1;
            }
            mapped[k].push_back(s.mappedMs);
            painted[k].push_back(s.paintedMs);
            last[k] = s;
        }
    }
    fs::remove_all(work);

    std::printf("%d interleaved starts of each, medians from the launch:\n", runs);
    std::printf("%-28s %10s %10s\n", "", "mapped", "painted");
    const char* names[2] = {"TAVREL (title)", "empty Qt window"};
    for (int k = 0; k < 2; ++k)
        std::printf("%-16s %4d x %-4d  %7.1f ms %7.1f ms\n", names[k], last[k].width,
                    last[k].height, median(mapped[k]), median(painted[k]));
    std::printf("%-28s %9.2fx %9.2fx\n", "ratio", median(mapped[0]) / median(mapped[1]),
                median(painted[0]) / median(painted[1]));
    return 0;
}
