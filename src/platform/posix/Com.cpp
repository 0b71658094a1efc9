#include "platform/Com.h"

namespace platform {

ComApartment::ComApartment() : initialized_(true) {}

ComApartment::~ComApartment() = default;

}  // namespace platform
