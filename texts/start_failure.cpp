#include "texts/start_failure.h"

#include "texts/messages.h"

std::optional<LocalText> StartFailureText(std::intptr_t shellExecuteResult, bool fileTypeAction) {
    using namespace texts::messages;
    switch (shellExecuteResult) {
        case kStartOutOfResources:
            return kOutOfResources;
        case kStartFileNotFound:
            return kRequiredFileMissing;
        case kStartPathNotFound:
            return kPathNotFound;
        case kStartOutOfMemory:
            return kOutOfMemory;
        case kStartSharingViolation:
            return kSharingViolation;
        case kStartNoAssociation:
            return fileTypeAction ? kNoTxtAssociation : kUnknownStartError;
        default:
            break;
    }
    if (shellExecuteResult > kLastStartFailure)
        return std::nullopt;
    return kUnknownStartError;
}
