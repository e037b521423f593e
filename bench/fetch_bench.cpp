// Fetching a page that never ends from a server as fast as this machine's loopback: plain
// (chunked or until the connection closes) and packed (gzip, deflate). The server runs on a
// thread of its own, so the network outpaces the fetcher as a fast server would. Reported: the
// time until the size limit ends it and the peak memory it takes over the start, the
// process's high-water mark reset before each fetch; it should stay some tens of MB whatever
// the server sends.
#include "testhttpserver.h"
#include "common/residentmemory.h"
#include "webimport/fetcher.h"
#include "webimport/pagereader.h"

#include <QCoreApplication>
#include <QFile>
#include <QThread>

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <future>

namespace {

using Endless = TestHttpServer::Endless;

const char *pathOf(Endless kind)
{
    switch (kind) {
    case Endless::Chunked: return "/chunked";
    case Endless::UntilClose: return "/until-close";
    case Endless::PastItsLength: return "/past-its-length";
    case Endless::Gzip: return "/gzip";
    case Endless::Deflate: return "/deflate";
    }
    return "/";
}

// The server, on its thread until the benchmarks are done.
class ServerThread {
public:
    ServerThread()
    {
        std::promise<QUrl> ready;
        m_thread.reset(QThread::create([&ready] {
            TestHttpServer server;
            server.listen();
            for (Endless kind : {Endless::Chunked, Endless::UntilClose, Endless::Gzip, Endless::Deflate})
                server.serveEndless(QString::fromLatin1(pathOf(kind)), kind);
            ready.set_value(server.url(QStringLiteral("/")));
            QEventLoop loop;
            loop.exec();
        }));
        m_thread->start();
        m_root = ready.get_future().get();
    }
    ~ServerThread()
    {
        m_thread->quit();
        m_thread->wait();
    }
    QUrl url(Endless kind) const { return m_root.resolved(QUrl(QString::fromLatin1(pathOf(kind)))); }

private:
    std::unique_ptr<QThread> m_thread;
    QUrl m_root;
};

ServerThread *server = nullptr;

void BM_FetchEndlessPage(benchmark::State &state)
{
    const auto kind = Endless(state.range(0));
    webimport::FetchResult result;
    double before = 0;
    double peak = 0;
    for (auto _ : state) {
        resetPeak();
        before = residentBytes("VmRSS:");
        result = webimport::Fetcher::fetch(server->url(kind), webimport::kMaxPageBytes);
        peak = residentBytes("VmHWM:");
    }
    if (result.ok || !result.error.contains(QStringLiteral("større end")))
        state.SkipWithError(qPrintable(QStringLiteral("not ended by the size limit: ") + result.error));
    state.counters["peak_over_start_MiB"] = (peak - before) / (1024 * 1024);
}
BENCHMARK(BM_FetchEndlessPage)
    ->ArgName("chunked0_close1_gzip3_deflate4")
    ->Arg(int(Endless::Chunked))
    ->Arg(int(Endless::UntilClose))
    ->Arg(int(Endless::Gzip))
    ->Arg(int(Endless::Deflate))
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    ServerThread thread;
    server = &thread;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
