#pragma once
// Resources carried inside the running program. On Win32 they are the
// module's resources (FindResourceW); elsewhere they are byte arrays linked
// into the program, registered under the same names by generated sources.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace SkinUI::platform {

// The resource name of a numeric id, in the "#147" form the resource
// functions accept for MAKEINTRESOURCE ids.
std::wstring ResourceIdName(unsigned id);

// The bytes of the resource (name, type) in the module, or an empty span when
// the module has no such resource. A null module means the running program.
// The bytes live as long as the module.
std::span<const uint8_t> FindModuleResource(void* module, const std::wstring& name,
                                            const std::wstring& type);

// Used by the generated sources of linked resources (not on Win32). Names
// compare case-insensitively, as resource names do.
bool RegisterLinkedResource(const wchar_t* name, const wchar_t* type, const uint8_t* data,
                            size_t size);

}  // namespace SkinUI::platform
