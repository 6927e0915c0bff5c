#pragma once

#include "platform/UserMessages.h"

#include <vector>

// Records every message and beep instead of showing them; answers questions with a
// preset reply. Installs itself for its lifetime.
class CRecordingMessages : public IUserMessages {
public:
    CRecordingMessages() { SetUserMessages(this); }
    ~CRecordingMessages() override { SetUserMessages(nullptr); }

    MsgResult Show(int stringId, MsgButtons buttons, const QString& arg) override {
        shown.push_back(stringId);
        args.push_back(arg);
        if (buttons == MsgButtons::Ok)
            return MsgResult::Ok;
        return reply;
    }
    void Beep() override { ++beeps; }

    int Count(int stringId) const {
        int n = 0;
        for (int id : shown)
            n += id == stringId;
        return n;
    }
    void Clear() {
        shown.clear();
        args.clear();
        beeps = 0;
    }

    std::vector<int> shown;
    std::vector<QString> args;
    int beeps = 0;
    MsgResult reply = MsgResult::Yes;
};
