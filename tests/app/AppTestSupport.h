#pragma once
// What the window tests share: the platform dialogs replaced by a recorder
// with scripted answers, a modal form answered from inside its own loop, and
// the errors that reached the default error report.
#include "app/MainForm.h"
#include "framework/Application.h"
#include "framework/Callback.h"
#include "framework/Forms.h"
#include "framework/PlatformDialogs.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace quillon::test {

class TFakeDialogs : public IPlatformDialogs {
public:
    std::optional<TFontChoice> PickFont(HWND owner, const TFont& start) override
    {
        owners.push_back(owner);
        fontStarts.push_back(start);
        return fontAnswer;
    }
    std::optional<std::string> PickSaveFileName(HWND owner, const TSaveFileRequest& request) override
    {
        owners.push_back(owner);
        saveRequests.push_back(request);
        return saveAnswer;
    }
    std::optional<std::string> PickFolder(HWND owner, const std::string& prompt, const std::string& start) override
    {
        owners.push_back(owner);
        folderRequests.push_back({prompt, start});
        return folderAnswer;
    }
    std::optional<TColor> PickColor(HWND owner, TColor) override
    {
        owners.push_back(owner);
        return std::nullopt;
    }
    void ShellOpen(const std::string& target) override { opened.push_back(target); }

    std::vector<HWND> owners;
    std::vector<TFont> fontStarts;
    std::optional<TFontChoice> fontAnswer;
    std::vector<TSaveFileRequest> saveRequests;
    std::optional<std::string> saveAnswer;
    struct TFolderRequest {
        std::string prompt, start;
    };
    std::vector<TFolderRequest> folderRequests;
    std::optional<std::string> folderAnswer;
    std::vector<std::string> opened;
};

// Runs `answer` once from inside `form`'s next modal loop: a thread timer
// that the loop dispatches waits until the form is shown modally.
class TModalAnswer {
public:
    TModalAnswer(TForm& form, std::function<void()> answer) : form_(form), answer_(std::move(answer))
    {
        active_ = this;
        timer_ = SetTimer(nullptr, 0, 30, Tick);
    }
    ~TModalAnswer()
    {
        KillTimer(nullptr, timer_);
        active_ = nullptr;
    }
    TModalAnswer(const TModalAnswer&) = delete;
    TModalAnswer& operator=(const TModalAnswer&) = delete;

    int shown = 0; // times the answer ran

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) noexcept
    {
        GuardCallback([] {
            TModalAnswer* self = active_;
            if (!self || !self->form_.Modal() || !self->form_.Visible() || self->busy_)
                return;
            self->busy_ = true;
            ++self->shown;
            self->answer_();
            self->busy_ = false;
        });
    }

    TForm& form_;
    std::function<void()> answer_;
    UINT_PTR timer_ = 0;
    bool busy_ = false;
    static inline TModalAnswer* active_ = nullptr;
};

// Collects what reaches the default error report while it lives.
class TErrorLog {
public:
    TErrorLog()
    {
        Application().OnException = [this](const std::exception& e) { errors.push_back(e.what()); };
    }
    ~TErrorLog() { Application().OnException = nullptr; }
    TErrorLog(const TErrorLog&) = delete;
    TErrorLog& operator=(const TErrorLog&) = delete;

    std::vector<std::string> errors;
};

// The main window shows these dialogs, made by the test.
inline void UseDialogs(TfrmMain& main, TForm& about, TForm& confirm)
{
    main.SetDialogs([&about]() -> TForm& { return about; }, [&confirm]() -> TForm& { return confirm; });
}

} // namespace quillon::test
