#include "Errors.h"

const void* CurrentPlace() { return __builtin_return_address(0); }

Exception::Exception(std::string className, std::string message, const void* place)
    : FClassName(std::move(className)), FMessage(std::move(message)), FPlace(place) {}
