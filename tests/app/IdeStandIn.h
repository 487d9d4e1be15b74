#pragma once
// A process that looks like the IDE to a process snapshot: the stand-in
// program (ide_standin.exe beside the tests) copied under `fileName` into a
// temp folder of the test prefix and started; ended and removed when this goes.
#include <windows.h>

#include <string>

namespace quillon::test {

class TIdeStandIn {
public:
    explicit TIdeStandIn(const std::wstring& fileName)
    {
        wchar_t self[MAX_PATH] = {}, temp[MAX_PATH] = {};
        GetModuleFileNameW(nullptr, self, MAX_PATH);
        std::wstring source = self;
        source = source.substr(0, source.find_last_of(L'\\')) + L"\\ide_standin.exe";
        GetTempPathW(MAX_PATH, temp);
        folder_ = std::wstring(temp) + L"quillon-ide-" + std::to_wstring(GetCurrentProcessId());
        CreateDirectoryW(folder_.c_str(), nullptr);
        path_ = folder_ + L"\\" + fileName;
        if (!CopyFileW(source.c_str(), path_.c_str(), FALSE))
            return;
        STARTUPINFOW si{};
        si.cb = sizeof si;
        std::wstring commandLine = L"\"" + path_ + L"\"";
        started_ = CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                                  nullptr, &si, &pi_) != FALSE;
    }
    ~TIdeStandIn()
    {
        Stop();
        DeleteFileW(path_.c_str());
        RemoveDirectoryW(folder_.c_str());
    }
    TIdeStandIn(const TIdeStandIn&) = delete;
    TIdeStandIn& operator=(const TIdeStandIn&) = delete;

    bool Started() const { return started_; }
    // Ends the process and waits until it is gone from the process list.
    void Stop()
    {
        if (!started_)
            return;
        TerminateProcess(pi_.hProcess, 0);
        WaitForSingleObject(pi_.hProcess, 10000);
        CloseHandle(pi_.hThread);
        CloseHandle(pi_.hProcess);
        started_ = false;
    }

private:
    std::wstring folder_, path_;
    PROCESS_INFORMATION pi_{};
    bool started_ = false;
};

} // namespace quillon::test
