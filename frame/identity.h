#pragma once
// The library's identifiers, as a type library would declare them.

namespace vantrel::identity {

inline constexpr const char* kLibraryName = "VantrelLib";
inline constexpr const char* kTypeLibId = "{7E8A1A52-670B-11D7-B92A-00E04C3C232C}";
inline constexpr const char* kTypeLibVersion = "10.0";
inline constexpr const char* kTypeLibLocale = "0x0409";

inline constexpr const char* kClassId = "{7E8A1A54-670B-11D7-B92A-00E04C3C232C}";
inline constexpr const char* kProgId = "VantrelLib.Vantrel";
inline constexpr const char* kInterfaceId = "{835588BD-9769-11D7-B92B-00E04C3C232C}";
inline constexpr const char* kEventsId = "{835588BE-9769-11D7-B92B-00E04C3C232C}";

inline constexpr const char* kPropertyPageId = "{7E8A1A57-670B-11D7-B92A-00E04C3C232C}";
inline constexpr const char* kPropertyPageInterfaceId = "{835588BF-9769-11D7-B92B-00E04C3C232C}";
inline constexpr const char* kPropertyPageProgId = "VantrelLib.PropertyPage1";

} // namespace vantrel::identity
