#include "server/HallServer.h"

#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <nlohmann/json.hpp>

#include "formats/ReplayHeader.h"
#include "server/Sha256.h"

using json = nlohmann::json;

namespace {

constexpr int kBusyRetrySeconds = 2;
constexpr long long kMaxPageSize = 100;
constexpr long long kDefaultPageSize = 20;

thread_local std::chrono::steady_clock::time_point requestStart;

// The UTC day `offset` days from today, as YYYY-MM-DD.
std::string Day(int offset) {
    time_t when = time(nullptr) + static_cast<time_t>(offset) * 86400;
    struct tm utc;
    gmtime_r(&when, &utc);
    char text[16];
    strftime(text, sizeof text, "%Y-%m-%d", &utc);
    return text;
}

std::string Now() {
    time_t now = time(nullptr);
    struct tm utc;
    gmtime_r(&now, &utc);
    char text[32];
    strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &utc);
    return text;
}

json EntryJson(const HallEntry& entry) {
    return {{"id", entry.id},
            {"board", entry.board},
            {"rank", entry.rank},
            {"score", entry.score},
            {"name", entry.name},
            {"roundsCleared", entry.roundsCleared},
            {"lastRound", entry.lastRound},
            {"date", entry.date}};
}

void Answer(httplib::Response& response, int status, const json& body) {
    response.status = status;
    response.set_header("Cache-Control", "no-store");
    response.set_content(body.dump(), "application/json");
}

void Refuse(httplib::Response& response, int status, const std::string& reason,
            int retryAfter = 0) {
    if (retryAfter > 0) response.set_header("Retry-After", std::to_string(retryAfter));
    Answer(response, status, {{"error", reason}});
}

// Replays are text: anything else is refused before a verifier sees it.
bool IsText(const std::string& body) {
    for (unsigned char c : body)
        if ((c < 0x20 && c != '\n' && c != '\r' && c != '\t') || c >= 0x7f) return false;
    return true;
}

// A whole decimal number in [low, high], or `fallback` when absent; false when malformed.
bool ReadParameter(const httplib::Request& request, const char* key, long long low, long long high,
                   long long fallback, long long* value) {
    if (!request.has_param(key)) {
        *value = fallback;
        return true;
    }
    std::string text = request.get_param_value(key);
    if (text.empty() || text.size() > 12 ||
        text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    *value = std::stoll(text);
    return *value >= low && *value <= high;
}

// The verifier's one JSON line: its last non-empty line, in case it printed anything before.
bool ParseVerdict(const std::string& output, json* verdict) {
    size_t end = output.find_last_not_of(" \r\n\t");
    if (end == std::string::npos) return false;
    size_t start = output.rfind('\n', end);
    start = start == std::string::npos ? 0 : start + 1;
    *verdict = json::parse(output.substr(start, end + 1 - start), nullptr, false);
    return verdict->is_object() && (*verdict)["valid"].is_boolean();
}

// The operator's clue: a verifier that never answers makes every submission 503.
void LogVerifierFailure(const VerifierRun& run, const VerifierSettings& settings) {
    const char* what = run.outcome == VerifierRun::Outcome::CouldNotStart ? "could not start"
                       : run.outcome == VerifierRun::Outcome::Crashed     ? "died"
                                                                          : "gave no verdict";
    std::string code = run.outcome == VerifierRun::Outcome::Exited
                           ? " (exit " + std::to_string(run.exitCode) + ")"
                           : "";
    fprintf(stderr, "tarnhall: the verifier %s %s%s%s\n", settings.game.c_str(), what, code.c_str(),
            settings.memoryLimit && run.output.empty()
                ? "; a sanitizer build of the game needs --no-memory-limit"
                : "");
}

// A daily counts for its own day, the day before or the day after (players' clocks and time
// zones differ).
bool DailyInWindow(const std::string& date) {
    return date == Day(-1) || date == Day(0) || date == Day(1);
}

// A decoded path may hold a newline: it must not forge a line of the log.
std::string Printable(const std::string& text) {
    std::string out = text.substr(0, 200);
    for (char& c : out)
        if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) >= 0x7f) c = '?';
    return out;
}

void LogRequest(const std::string& address, const httplib::Request& request,
                const httplib::Response& response) {
    auto elapsed = std::chrono::duration_cast<std::chrono::microseconds>(
        std::chrono::steady_clock::now() - requestStart);
    char line[512];
    int length = snprintf(line, sizeof line, "%s %s %s %s %d %zu %.1fms\n", Now().c_str(),
                          Printable(address).c_str(), Printable(request.method).c_str(),
                          Printable(request.path).c_str(), response.status, response.body.size(),
                          elapsed.count() / 1000.0);
    if (length > 0) fwrite(line, 1, std::min(static_cast<size_t>(length), sizeof line - 1), stderr);
}

// The packaged cpp-httplib listens with a backlog of 5, so a burst of connections beyond it waits
// a second for the client to retry. Linux lets a second listen() on the bound socket widen it.
void WidenBacklog(int port) {
    for (int fd = 3; fd < 1024; ++fd) {
        int accepting = 0;
        socklen_t size = sizeof accepting;
        if (getsockopt(fd, SOL_SOCKET, SO_ACCEPTCONN, &accepting, &size) != 0 || !accepting)
            continue;
        struct sockaddr_storage address;
        socklen_t length = sizeof address;
        if (getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) continue;
        int bound = address.ss_family == AF_INET
                        ? ntohs(reinterpret_cast<sockaddr_in*>(&address)->sin_port)
                    : address.ss_family == AF_INET6
                        ? ntohs(reinterpret_cast<sockaddr_in6*>(&address)->sin6_port)
                        : -1;
        if (bound == port) listen(fd, SOMAXCONN);
    }
}

}  // namespace

HallServer::HallServer(const HallOptions& options, std::unique_ptr<HallStore> store,
                       const VerifierSettings& verifier)
    : options_(options),
      store_(std::move(store)),
      verifier_(verifier),
      pool_(options.workers, options.queue),
      limiter_(options.submitLimit),
      site_(options.siteDir),
      incomingDir_(options.dataDir + "/incoming") {
    mkdir(incomingDir_.c_str(), 0700);
    // What a killed server was verifying: its clients got no answer, so nothing is lost.
    std::error_code ignored;
    for (const auto& file : std::filesystem::directory_iterator(incomingDir_, ignored))
        if (file.path().filename().string().rfind("replay-", 0) == 0)
            std::filesystem::remove(file.path(), ignored);
    int threads = options.workers + options.queue + kReadThreads;
    http_.new_task_queue = [threads] { return new httplib::ThreadPool(threads); };
    http_.set_payload_max_length(kReplayMaxBytes);
    http_.set_keep_alive_timeout(2);
    http_.set_read_timeout(10);
    http_.set_write_timeout(10);
    http_.set_pre_routing_handler([](const httplib::Request&, httplib::Response&) {
        requestStart = std::chrono::steady_clock::now();
        return httplib::Server::HandlerResponse::Unhandled;
    });
    http_.set_logger([this](const httplib::Request& request, const httplib::Response& response) {
        LogRequest(ClientAddress(request), request, response);
    });
    http_.set_exception_handler(
        [](const httplib::Request&, httplib::Response& response, std::exception_ptr error) {
            std::string what = "internal error";
            try {
                std::rethrow_exception(error);
            } catch (const std::exception& e) {
                what = e.what();
            } catch (...) {
            }
            fprintf(stderr, "tarnhall: %s\n", what.c_str());
            Refuse(response, 503, "the hall cannot answer now", kBusyRetrySeconds);
        });
    Routes();
}

httplib::Server::Handler HallServer::Handle(Method method) {
    return [this, method](const httplib::Request& request, httplib::Response& response) {
        (this->*method)(request, response);
    };
}

void HallServer::Routes() {
    http_.Post("/api/scores", Handle(&HallServer::Submit));
    http_.Get("/api/boards", Handle(&HallServer::Boards));
    http_.Get("/api/scores", Handle(&HallServer::Scores));
    http_.Get(R"(/api/replays/(\d{1,18}))", Handle(&HallServer::Replay));
    http_.Get("/health", Handle(&HallServer::Health));
    http_.Get("/hall.json", [](const httplib::Request&, httplib::Response& response) {
        Answer(response, 200, {{"hall", true}});
    });
    http_.Get(R"(/.*)", Handle(&HallServer::Static));
}

int HallServer::Bind() {
    int port = options_.port == 0 ? http_.bind_to_any_port(options_.host)
               : http_.bind_to_port(options_.host, options_.port) ? options_.port
                                                                  : -1;
    if (port > 0) WidenBacklog(port);
    return port;
}

void HallServer::Run() {
    http_.listen_after_bind();
}

void HallServer::Stop() {
    http_.stop();
}

std::string HallServer::ClientAddress(const httplib::Request& request) const {
    if (!options_.trustProxy || !request.has_header("X-Forwarded-For")) return request.remote_addr;
    // The last address is the one our proxy saw; earlier ones are the client's to invent.
    std::string forwarded = request.get_header_value("X-Forwarded-For");
    size_t comma = forwarded.rfind(',');
    std::string last = comma == std::string::npos ? forwarded : forwarded.substr(comma + 1);
    size_t first = last.find_first_not_of(' ');
    size_t end = last.find_last_not_of(' ');
    if (first == std::string::npos) return request.remote_addr;
    return last.substr(first, end + 1 - first);
}

void HallServer::Submit(const httplib::Request& request, httplib::Response& response) {
    if (int wait = limiter_.Admit(ClientAddress(request)))
        return Refuse(response, 429, "too many submissions from this address", wait);
    const std::string& body = request.body;
    if (body.size() > kReplayMaxBytes) return Refuse(response, 413, "the file is over 2 MB");
    if (!IsText(body)) return Refuse(response, 422, "not a replay: the file is not text");
    ReplayHeader header;
    std::string problem = ParseReplayHeader(body, &header);
    if (!problem.empty()) return Refuse(response, 422, problem);
    if (header.mode == "daily" && !DailyInWindow(header.date))
        return Refuse(response, 422,
                      "a daily game counts only on its day, the day before or after");
    std::string digest = Sha256Hex(ReplayWithoutName(body));
    if (std::optional<HallEntry> known = store_->FindByDigest(digest))
        return Answer(response, 200, EntryJson(*known));
    std::string name = header.hasName ? header.name : std::string(5, ' ');
    VerifyAndStore(body, digest, name, header.frames, response);
}

void HallServer::VerifyAndStore(const std::string& body, const std::string& digest,
                                const std::string& name, long frames, httplib::Response& response) {
    std::unique_ptr<VerifierPool::Ticket> ticket = pool_.TryEnter();
    if (!ticket) return Refuse(response, 503, "every verifier is busy", kBusyRetrySeconds);
    std::string path = incomingDir_ + "/replay-XXXXXX";
    int fd = mkstemp(path.data());
    if (fd < 0) return Refuse(response, 503, "the hall cannot store the file", kBusyRetrySeconds);
    bool written = write(fd, body.data(), body.size()) == static_cast<ssize_t>(body.size());
    close(fd);
    VerifierRun run;
    if (written) run = ticket->Verify(verifier_, path, VerifierTimeLimit(frames));
    unlink(path.c_str());
    ticket.reset();

    json verdict;
    bool parsed = run.outcome == VerifierRun::Outcome::Exited && ParseVerdict(run.output, &verdict);
    if (run.outcome == VerifierRun::Outcome::TimedOut)
        return Refuse(response, 503, "the verifier ran past its time limit", kBusyRetrySeconds);
    if (parsed && run.exitCode == 1 && !verdict["valid"].get<bool>()) {
        std::string reason = verdict.value("reason", std::string("the replay does not verify"));
        return Refuse(response, 422, reason);
    }
    if (!parsed || run.exitCode != 0 || !verdict["valid"].get<bool>() ||
        !verdict["score"].is_number_integer() || !verdict["board"].is_string()) {
        LogVerifierFailure(run, verifier_);
        return Refuse(response, 503, "the verifier failed", kBusyRetrySeconds);
    }

    NewHallEntry entry;
    entry.digest = digest;
    entry.board = verdict["board"].get<std::string>();
    entry.score = verdict["score"].get<long long>();  // the verifier's, never the client's
    entry.name = name;
    entry.roundsCleared = verdict.value("roundsCleared", 0);
    entry.lastRound = verdict.value("lastRound", 0);
    entry.date = Now();
    entry.replay = body;
    bool inserted = false;
    HallEntry stored = store_->Insert(entry, &inserted);
    Answer(response, inserted ? 201 : 200, EntryJson(stored));
}

void HallServer::Boards(const httplib::Request&, httplib::Response& response) {
    std::vector<BoardCount> boards = store_->Boards();
    std::string today = "daily-" + Day(0);
    json list = json::array();
    long long todayCount = 0;
    for (const BoardCount& board : boards)
        if (board.board == today) todayCount = board.entries;
    list.push_back({{"board", today}, {"entries", todayCount}});
    for (const BoardCount& board : boards)
        if (board.board != today)
            list.push_back({{"board", board.board}, {"entries", board.entries}});
    Answer(response, 200, {{"boards", list}, {"today", today}});
}

void HallServer::Scores(const httplib::Request& request, httplib::Response& response) {
    std::string board = request.get_param_value("board");
    long long limit = 0, offset = 0;
    if (!ReadParameter(request, "limit", 1, kMaxPageSize, kDefaultPageSize, &limit) ||
        !ReadParameter(request, "offset", 0, 1000000000, 0, &offset))
        return Refuse(response, 400, "limit is 1 to 100, offset 0 or more");
    std::vector<HallEntry> entries = store_->Scores(board, limit, offset);
    if (entries.empty()) {
        // A board nobody has entered yet is known when it is today's daily or a built-in one.
        bool known = board == "daily-" + Day(0) || board == "rounds" || board == "push";
        for (const BoardCount& existing : store_->Boards())
            known = known || existing.board == board;
        if (!known) return Refuse(response, 404, "unknown board");
    }
    json list = json::array();
    for (const HallEntry& entry : entries)
        list.push_back(EntryJson(entry));
    Answer(response, 200, {{"board", board}, {"offset", offset}, {"entries", list}});
}

void HallServer::Replay(const httplib::Request& request, httplib::Response& response) {
    std::optional<std::string> replay = store_->Replay(std::stoll(request.matches[1].str()));
    if (!replay) return Refuse(response, 404, "no such replay");
    response.set_header("Cache-Control", "public, max-age=31536000, immutable");
    response.set_content(*replay, "text/plain; charset=utf-8");
}

void HallServer::Health(const httplib::Request&, httplib::Response& response) {
    bool reachable = store_->Reachable();
    Answer(response, reachable ? 200 : 503,
           {{"up", true},
            {"store", reachable},
            {"queue", pool_.Waiting()},
            {"verifying", pool_.Running()},
            {"workers", pool_.Workers()}});
}

void HallServer::Static(const httplib::Request& request, httplib::Response& response) {
    StaticFile file = site_.Get(request.path);
    if (file.status != 200) return Refuse(response, 404, "not found");
    response.set_header("Cache-Control", file.cacheControl);
    response.set_content(std::move(file.body), file.contentType);
}
