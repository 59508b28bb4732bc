// Test presenter: records every message box and answers from a script.
#pragma once

#include "lang/UiText.h"

#include <deque>
#include <vector>

struct RecordedMessage {
    unsigned id;
    QString caption;
    QString text;
    unsigned style;
};

class RecordingPresenter : public MessagePresenter {
public:
    // Installs itself for its lifetime and restores the previous presenter after.
    RecordingPresenter();
    ~RecordingPresenter() override;
    RecordingPresenter(const RecordingPresenter&) = delete;
    RecordingPresenter& operator=(const RecordingPresenter&) = delete;

    // Answers to give, in order; once used up, boxes get DefaultAnswer(style).
    void Answer(int button) { m_answers.push_back(button); }

    int Present(unsigned id, const QString& caption, const QString& text, unsigned style) override;

    const std::vector<RecordedMessage>& messages() const { return m_messages; }
    std::vector<unsigned> ids() const;
    void Clear() { m_messages.clear(); }

private:
    MessagePresenter* m_previous;
    std::deque<int> m_answers;
    std::vector<RecordedMessage> m_messages;
};
