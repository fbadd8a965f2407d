#include "platform/graphics_adapters.h"

#include <d3d9.h>

#include <cstring>

std::optional<std::vector<GraphicsAdapterRecord>> QueryGraphicsAdapters() {
  IDirect3D9* direct3d = Direct3DCreate9(D3D_SDK_VERSION);
  if (direct3d == nullptr) return std::nullopt;
  std::vector<GraphicsAdapterRecord> adapters;
  for (UINT ordinal = 0; ordinal < direct3d->GetAdapterCount(); ++ordinal) {
    D3DADAPTER_IDENTIFIER9 identifier{};
    GraphicsAdapterRecord record;
    if (SUCCEEDED(direct3d->GetAdapterIdentifier(ordinal, 0, &identifier))) {
      record.readable = true;
      record.description.assign(identifier.Description,
                                strnlen(identifier.Description, sizeof identifier.Description));
      record.driver_version_high = static_cast<std::uint32_t>(identifier.DriverVersion.HighPart);
      record.driver_version_low = identifier.DriverVersion.LowPart;
    }
    adapters.push_back(record);
  }
  direct3d->Release();
  return adapters;
}
