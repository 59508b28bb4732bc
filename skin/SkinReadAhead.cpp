#include "skin/SkinReadAhead.h"

#include <system_error>

SkinReadAhead::SkinReadAhead(const QString& path, CSkin::SkinPictures pictures) {
    // A plain thread: it needs no event loop, and joining it orders the
    // skin's reads for every tool that checks threads (a QThread's wait is
    // ordered by a lock that such tools cannot see).
    CSkin* skin = m_skin.get();
    try {
        m_thread = std::thread([skin, path, pictures] { skin->LoadSkinFile(path, pictures); });
    } catch (const std::system_error&) {
        skin->LoadSkinFile(path, pictures);  // no thread to be had: read it now
    }
}

SkinReadAhead::~SkinReadAhead() { Join(); }

void SkinReadAhead::Join() {
    if (m_thread.joinable()) m_thread.join();
}

const CSkin& SkinReadAhead::Get() {
    Join();
    return *m_skin;
}

std::unique_ptr<CSkin> SkinReadAhead::Take() {
    Join();
    return std::move(m_skin);
}
