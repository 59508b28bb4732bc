// A skin read on a thread of its own while the caller does other work: the
// desktop program reads it while its window is built, vkx520ctl read while
// the configuration comes over the line. Read without pictures (or with
// their headers only) a skin shows no message, so the thread says nothing.
#pragma once

#include "skin/Skin.h"

#include <memory>
#include <thread>

class SkinReadAhead {
public:
    SkinReadAhead(const QString& path, CSkin::SkinPictures pictures);
    ~SkinReadAhead();
    SkinReadAhead(const SkinReadAhead&) = delete;
    SkinReadAhead& operator=(const SkinReadAhead&) = delete;

    // The skin, once it has been read.
    const CSkin& Get();
    // The skin itself for its new owner (once; null afterwards).
    std::unique_ptr<CSkin> Take();

private:
    void Join();

    std::unique_ptr<CSkin> m_skin = std::make_unique<CSkin>();
    std::thread m_thread;
};
