// The command line with hostile or unusual files and folders: things that are not regular files,
// links, permissions, signals, names with escape sequences.
#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/inotify.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/cli_run.h"
#include "tests/support/cp949.h"

namespace tessaline {

namespace fs = std::filesystem;

namespace {

const std::string novel_text = "그는 오래된 골목길을 따라 천천히 걸어가면서 옛날 생각에\n잠겨 있었다.\n";

// A run of a few small files is taken as hanging after this long.
constexpr int quick_seconds = 20;

void make_socket(const fs::path& path) {
    int listener = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(path.string().size(), sizeof address.sun_path);
    std::snprintf(address.sun_path, sizeof address.sun_path, "%s", path.c_str());
    ASSERT_EQ(bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    close(listener);
}

mode_t permission_bits(const fs::path& path) {
    struct stat status {};
    EXPECT_EQ(stat(path.c_str(), &status), 0) << path;
    return status.st_mode & 07777;
}

std::vector<std::string> names_in(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// Occurrences of a part in a text.
size_t count_of(const std::string& text, const std::string& part) {
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
    return count;
}

class CliSafetyTest : public CliTest {};

TEST_F(CliSafetyTest, OnlyRegularFilesAreOpenedAndTheRestIsNamedForWhatItIs) {
    fs::path books = work / "books";
    write_file(books / "a.txt", cp949(novel_text));
    ASSERT_EQ(mkfifo((books / "fifo.txt").c_str(), 0644), 0);
    make_socket(books / "socket.txt");
    fs::create_symlink("/dev/null", books / "device.txt");
    struct Case {
        const char* name;
        const char* what;
    } cases[] = {
        {"fifo.txt", "it is a FIFO (named pipe), not a regular file"},
        {"socket.txt", "it is a socket, not a regular file"},
        {"device.txt", "it is a device, not a regular file"},
    };
    CliResult folder_run = run({"books"}, "", {}, quick_seconds);
    EXPECT_EQ(folder_run.status, 1) << folder_run.err;
    EXPECT_EQ(names_in(books / "Tessaline"), std::vector<std::string>{"a.txt"});
    for (const Case& c : cases) {
        EXPECT_TRUE(contains(folder_run.err, "'books/" + std::string(c.name) + "' cannot be opened: " + c.what))
            << folder_run.err;
        CliResult named = run({"books/" + std::string(c.name)}, "", {}, quick_seconds);
        EXPECT_EQ(named.status, 1) << c.name;
        EXPECT_TRUE(contains(named.err, c.what)) << named.err;
    }
}

TEST_F(CliSafetyTest, RecursiveRunNeverFollowsALinkOutOfTheTree) {
    write_file(work / "books" / "a.txt", cp949(novel_text));
    write_file(work / "elsewhere" / "e.txt", cp949(novel_text));
    fs::create_symlink("../elsewhere", work / "books" / "out");
    fs::create_symlink("..", work / "books" / "up");
    CliResult result = run({"-r", "books"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_TRUE(fs::exists(work / "books" / "Tessaline" / "a.txt"));
    EXPECT_EQ(names_in(work / "elsewhere"), std::vector<std::string>{"e.txt"}) << "nothing is written out there";
    EXPECT_FALSE(fs::exists(work / "Tessaline"));
}

TEST_F(CliSafetyTest, EveryFolderIsConvertedOnceWhateverLinksLeadToIt) {
    write_file(work / "books" / "a" / "x.txt", cp949(novel_text));
    fs::create_symlink("a", work / "books" / "b");
    fs::create_symlink("../..", work / "books" / "a" / "loop");
    const std::string result_text = converted(cp949(novel_text));
    for (const auto& options : std::vector<std::vector<std::string>>{{"-r"}, {"-r", "--follow-links"}}) {
        std::vector<std::string> args = options;
        args.insert(args.end(), {"--stdout", "books"});
        CliResult result = run(args, "", {}, quick_seconds);
        EXPECT_EQ(result.status, 0) << options.back() << ": " << result.err;
        EXPECT_EQ(count_of(result.out, result_text), 1u) << options.back();
    }
}

TEST_F(CliSafetyTest, FollowedLinksLeadIntoFoldersOutsideOnlyWhenAskedTo) {
    write_file(work / "books" / "a.txt", cp949(novel_text));
    write_file(work / "elsewhere" / "e.txt", cp949(novel_text));
    fs::create_symlink("../elsewhere", work / "books" / "out");
    CliResult result = run({"-r", "--follow-links", "books"});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_TRUE(fs::exists(work / "books" / "out" / "Tessaline" / "e.txt"));
}

TEST_F(CliSafetyTest, ALinkedTessalineFolderIsRefusedUnlessTheOutputFolderIsNamed) {
    write_file(work / "books" / "a.txt", cp949(novel_text));
    fs::create_directories(work / "elsewhere");
    fs::create_symlink("../elsewhere", work / "books" / "Tessaline");
    for (const auto& path : {"books", "books/a.txt"}) {
        CliResult refused = run({path});
        EXPECT_EQ(refused.status, 1) << path;
        EXPECT_TRUE(
            contains(refused.err, "'books/Tessaline/a.txt' is not written: the Tessaline folder is a symbolic link"))
            << refused.err;
        EXPECT_TRUE(fs::is_empty(work / "elsewhere")) << path;
    }
    CliResult named = run({"-o", "books/Tessaline", "books"});
    EXPECT_EQ(named.status, 0) << named.err;
    EXPECT_TRUE(fs::exists(work / "elsewhere" / "a.txt"));
}

TEST_F(CliSafetyTest, AResultIsNeverMoreReadableThanItsInput) {
    for (mode_t mode : {0600, 0640, 0644, 0400, 0755}) {
        fs::path input = work / ("mode" + std::to_string(mode) + ".txt");
        write_file(input, cp949(novel_text));
        // An earlier result readable by all gives way to the input's own bits.
        write_file(work / "Tessaline" / input.filename(), "earlier");
        chmod((work / "Tessaline" / input.filename()).c_str(), 0644);
        chmod(input.c_str(), mode);
        CliResult result = run({input.filename().string()});
        EXPECT_EQ(result.status, 0) << result.err;
        EXPECT_EQ(permission_bits(work / "Tessaline" / input.filename()), mode) << std::oct << mode;
    }
}

// A novel of about `megabytes` MB in CP949.
std::string large_novel(int megabytes) {
    std::string line =
        cp949("바다는 아침부터 잿빛이었다. 선착장에 모인 사람들은 저마\n다 외투 깃을 세우고 기다렸다.\n");
    std::string text;
    text.reserve(static_cast<size_t>(megabytes) << 20);
    while (text.size() < (static_cast<size_t>(megabytes) << 20)) text += line;
    return text;
}

// Whether the child has ended, leaving it to be collected.
bool has_ended(pid_t child) {
    siginfo_t info{};
    return waitid(P_PID, static_cast<id_t>(child), &info, WEXITED | WNOHANG | WNOWAIT) == 0 && info.si_pid == child;
}

// Waits for the writer's temporary file to appear in the watched folder; its name, or "" when the
// run ended without one being seen.
std::string temporary_file_appearing(int watch, pid_t child) {
    alignas(inotify_event) char events[4096];
    for (;;) {
        pollfd ready{watch, POLLIN, 0};
        if (poll(&ready, 1, 100) <= 0) {
            if (has_ended(child)) return "";
            continue;
        }
        ssize_t count = read(watch, events, sizeof events);
        if (count <= 0) return "";
        for (char* at = events; at < events + count;) {
            auto* event = reinterpret_cast<inotify_event*>(at);
            std::string name = event->len > 0 ? event->name : "";
            if (name.rfind(".tessaline-", 0) == 0) return name;
            at += sizeof(inotify_event) + event->len;
        }
    }
}

TEST_F(CliSafetyTest, ASignalWhileAResultIsWrittenRemovesItsTemporaryFileAndKeepsTheOldResult) {
    write_file(work / "big.txt", large_novel(24));
    fs::path folder = work / "Tessaline";
    for (int number : {SIGINT, SIGTERM, SIGHUP}) {
        write_file(folder / "big.txt", "the result of an earlier run");
        int watch = inotify_init1(IN_CLOEXEC);
        ASSERT_GE(inotify_add_watch(watch, folder.c_str(), IN_CREATE), 0);
        pid_t child = start({"big.txt"});
        std::string temporary = temporary_file_appearing(watch, child);
        ASSERT_FALSE(temporary.empty()) << "no temporary file was written";
        EXPECT_EQ(permission_bits(folder / temporary), 0600u) << "a result is private until it is finished";
        kill(child, number);
        CliResult result = finish(child);
        close(watch);
        EXPECT_EQ(result.status, 128 + number) << strsignal(number);
        EXPECT_TRUE(contains(result.err, "interrupted")) << result.err;
        EXPECT_EQ(names_in(folder), std::vector<std::string>{"big.txt"}) << strsignal(number);
        EXPECT_EQ(read_file(folder / "big.txt"), "the result of an earlier run") << strsignal(number);
    }
}

TEST_F(CliSafetyTest, TheTemporaryFileOfAKilledRunIsNeverTakenAsInput) {
    write_file(work / "big.txt", large_novel(24));
    fs::path folder = work / "Tessaline";
    fs::create_directories(folder);
    int watch = inotify_init1(IN_CLOEXEC);
    ASSERT_GE(inotify_add_watch(watch, folder.c_str(), IN_CREATE), 0);
    pid_t child = start({"big.txt"});
    std::string temporary = temporary_file_appearing(watch, child);
    ASSERT_FALSE(temporary.empty()) << "no temporary file was written";
    kill(child, SIGKILL);
    finish(child);
    close(watch);
    ASSERT_TRUE(fs::exists(folder / temporary)) << "nothing can clean up after SIGKILL";
    CliResult later = run({"Tessaline"});
    EXPECT_EQ(later.status, 1);
    EXPECT_TRUE(contains(later.err, "'Tessaline' holds nothing to convert")) << later.err;
    EXPECT_FALSE(fs::exists(folder / "Tessaline"));
}

TEST_F(CliSafetyTest, NamesReachTheTerminalWithTheirControlCharactersEscaped) {
    const std::string name = "\x1b]0;owned\x07\x1b[31mred.txt";
    fs::create_symlink("nowhere", work / name);
    CliResult result = run({name});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.err.find('\x1b'), std::string::npos) << result.err;
    EXPECT_EQ(result.err.find('\x07'), std::string::npos) << result.err;
    EXPECT_TRUE(contains(result.err, "''$'\\033'']0;owned'$'\\a\\033''[31mred.txt' cannot be opened")) << result.err;

    CliResult on_terminal = run_on_terminal({name}, 80);
    EXPECT_EQ(on_terminal.status, 1);
    EXPECT_EQ(on_terminal.out.find('\x1b'), std::string::npos) << on_terminal.out;
}

}  // namespace

}  // namespace tessaline
