#include "support/RecordingPresenter.h"

RecordingPresenter::RecordingPresenter() : m_previous(SetMessagePresenter(this)) {}

RecordingPresenter::~RecordingPresenter() { SetMessagePresenter(m_previous); }

int RecordingPresenter::Present(unsigned id, const QString& caption, const QString& text, unsigned style) {
    m_messages.push_back({id, caption, text, style});
    if (m_answers.empty()) return DefaultAnswer(style);
    const int answer = m_answers.front();
    m_answers.pop_front();
    return answer;
}

std::vector<unsigned> RecordingPresenter::ids() const {
    std::vector<unsigned> result;
    for (const auto& m : m_messages) result.push_back(m.id);
    return result;
}
