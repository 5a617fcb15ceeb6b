#include "CommandPicture.h"

CCommandPicture::CCommandPicture(const TObj::CUnicodeString& path, const ZYR::CFailurePlace& place)
    : m_path(path), m_place(place)
{}

std::shared_ptr<const ZYR::CBitmap> CCommandPicture::Decoded() const
{
    if (m_decoded != nullptr || m_failed)
        return m_decoded;
    // Marked first: a failure is reported once, not at every paint of the command.
    m_failed = true;
    auto picture = std::make_shared<ZYR::CBitmap>();
    picture->LoadFromFile(m_path, m_place);
    // Where failures are shown rather than thrown, the load returns without a picture.
    if (picture->Handle() == nullptr)
        return nullptr;
    m_decoded = std::move(picture);
    m_failed = false;
    return m_decoded;
}
