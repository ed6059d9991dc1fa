#include "about/VersionResource.h"

#include "VersionValues.h"

TVersionResource ProgramVersionResource()
{
    return {QString::fromUtf8(VISTRANO_FILE_VERSION), QString::fromUtf8(VISTRANO_LEGAL_COPYRIGHT)};
}
