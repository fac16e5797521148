// TThread (exceptions kept, waiting, termination, freeing in every state, no leaked handles) and
// TTimer (fires, stops, may be freed from its own handler).
#include "framework/base/exceptions.h"
#include "framework/base/thread.h"
#include "framework/base/timer.h"
#include "tests/framework/support/pump.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>

namespace orvo {
namespace {

class TLambdaThread : public TThread {
public:
    explicit TLambdaThread(std::function<void(TLambdaThread&)> body, std::atomic<int>* deaths = nullptr)
        : FBody(std::move(body)), FDeaths(deaths) {}
    ~TLambdaThread() override {
        if (FDeaths) ++*FDeaths;
    }

protected:
    void Execute() override { FBody(*this); }

private:
    std::function<void(TLambdaThread&)> FBody;
    std::atomic<int>* FDeaths;
};

// Timers and sent reports need a few seconds at most, even on a loaded machine.
bool PumpUntil(const std::function<bool()>& done) { return test::PumpUntil(done, 10000); }

TEST(Thread, RunsWaitsAndKeepsTheExceptionThatEndedIt) {
    TLambdaThread ok([](TLambdaThread& t) { t.ReturnValue = 42; });
    EXPECT_FALSE(ok.Started());
    EXPECT_THROW(ok.WaitFor(), EThread);
    ok.Start();
    EXPECT_NE(ok.Handle(), nullptr);
    EXPECT_NE(ok.ThreadID(), 0u);
    EXPECT_EQ(ok.WaitFor(), 42u);
    EXPECT_TRUE(ok.Finished());
    EXPECT_FALSE(ok.FatalException());
    EXPECT_THROW(ok.Start(), EThread);

    TLambdaThread failing([](TLambdaThread&) { throw EConvertError(L"'12a' is not a valid integer value"); });
    failing.Start();
    failing.WaitFor();
    EXPECT_TRUE(failing.FatalException());
    EXPECT_EQ(failing.FatalMessage(), L"'12a' is not a valid integer value");
    EXPECT_THROW(std::rethrow_exception(failing.FatalException()), EConvertError);
}

TEST(Thread, FreedInEveryState) {
    std::atomic<int> deaths{0};
    delete new TLambdaThread([](TLambdaThread&) {}, &deaths); // never started

    std::atomic<bool> running{false};
    auto* looping = new TLambdaThread(
        [&](TLambdaThread& t) {
            running = true;
            while (!t.Terminated())
                Sleep(1);
        },
        &deaths);
    looping->Start();
    while (!running)
        Sleep(1);
    looping->Terminate();
    looping->WaitFor();
    EXPECT_TRUE(looping->Finished());
    delete looping;
    EXPECT_EQ(deaths, 2);

    std::atomic<bool> go{false};
    auto* self = new TLambdaThread(
        [&](TLambdaThread&) {
            while (!go)
                Sleep(1);
        },
        &deaths);
    self->FreeOnTerminate = true;
    self->Start();
    go = true;
    const DWORD start = GetTickCount();
    while (deaths < 3 && GetTickCount() - start < 10000)
        Sleep(1);
    EXPECT_EQ(deaths, 3) << "freed itself";
}

TEST(Thread, WaitingThreadStillAnswersSentMessages) {
    HWND window = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    ASSERT_NE(window, nullptr);
    TLambdaThread reporter([window](TLambdaThread& t) {
        wchar_t text[32] = {};
        // Answered by the waiting thread: a plain WaitForSingleObject would dead-lock here.
        SendMessageW(window, WM_GETTEXT, 32, reinterpret_cast<LPARAM>(text));
        SetWindowTextW(window, L"reported");
        t.ReturnValue = 7;
    });
    reporter.Start();
    EXPECT_EQ(reporter.WaitFor(), 7u);
    wchar_t text[32] = {};
    GetWindowTextW(window, text, 32);
    EXPECT_STREQ(text, L"reported");
    DestroyWindow(window);
}

TEST(Thread, NoHandleLeaksOverAThousandThreads) {
    // Wine does not count handles (GetProcessHandleCount gives 0), but both systems hand out the
    // lowest free slot: a new handle's value grows only when handles leak.
    const auto probe = [] {
        HANDLE h = CreateEventW(nullptr, FALSE, FALSE, nullptr);
        CloseHandle(h);
        return reinterpret_cast<std::uintptr_t>(h);
    };
    const std::uintptr_t before = probe();
    std::atomic<int> deaths{0};
    for (int i = 0; i < 1000; ++i) {
        auto* t = new TLambdaThread([](TLambdaThread&) {}, &deaths);
        if (i % 2) {
            t->FreeOnTerminate = true;
            t->Start();
        } else {
            t->Start();
            t->WaitFor();
            delete t;
        }
    }
    const DWORD start = GetTickCount();
    while (deaths < 1000 && GetTickCount() - start < 20000)
        Sleep(1);
    ASSERT_EQ(deaths, 1000);
    Sleep(50); // the last self-freeing threads are still returning
    const std::uintptr_t after = probe();
    EXPECT_LT(after, before + 4 * 20) << "before " << before << ", after " << after;
}

TEST(Timer, FiresStopsAndMayBeFreedFromItsOwnHandler) {
    TComponent owner(nullptr);
    auto* timer = new TTimer(&owner);
    EXPECT_EQ(timer->Interval(), 1000u);
    int ticks = 0;
    timer->OnTimer = [&](TObject* sender) {
        EXPECT_EQ(sender, timer);
        ++ticks;
    };
    timer->SetInterval(10);
    ASSERT_TRUE(PumpUntil([&] { return ticks >= 3; }));
    timer->SetEnabled(false);
    const int stopped = ticks;
    Sleep(60);
    PumpUntil([] { return true; });
    MSG msg;
    for (int i = 0; i < 5; ++i) {
        Sleep(15);
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&msg);
    }
    EXPECT_EQ(ticks, stopped) << "no tick after Enabled = false";

    auto* suicidal = new TTimer(&owner);
    suicidal->SetInterval(5);
    bool freed = false;
    suicidal->OnTimer = [&](TObject* sender) {
        delete sender; // the handler itself lives in the timer being freed
        freed = true;
    };
    int survivorTicks = 0;
    auto* survivor = new TTimer(&owner);
    survivor->SetInterval(5);
    survivor->OnTimer = [&](TObject*) { ++survivorTicks; };
    ASSERT_TRUE(PumpUntil([&] { return freed && survivorTicks >= 3; }));
    EXPECT_EQ(owner.ComponentCount(), 2);

    auto* idle = new TTimer(&owner);
    idle->SetInterval(0);
    bool fired = false;
    idle->OnTimer = [&](TObject*) { fired = true; };
    const int base = survivorTicks;
    ASSERT_TRUE(PumpUntil([&] { return survivorTicks >= base + 5; }));
    EXPECT_FALSE(fired) << "Interval 0 never fires";
}

TEST(Timer, ExceptionInHandlerIsReportedNotThrown) {
    static int reports = 0;
    const TExceptionHandler previous =
        SetExceptionHandler([](TObject*, const std::exception_ptr& e) { reports += e ? 1 : 0; });
    TTimer timer(nullptr);
    timer.SetInterval(5);
    timer.OnTimer = [](TObject*) { throw EConvertError(L"boom"); };
    EXPECT_TRUE(PumpUntil([] { return reports >= 2; }));
    static int aborts = 0;
    timer.OnTimer = [](TObject*) {
        ++aborts;
        Abort();
    };
    const int seen = reports;
    EXPECT_TRUE(PumpUntil([] { return aborts >= 3; }));
    timer.SetEnabled(false);
    SetExceptionHandler(previous);
    EXPECT_LE(reports, seen + 1) << "EAbort is silent (one EConvertError tick may have been queued)";
}

} // namespace
} // namespace orvo
