// Registers the kit's control classes under the names stored layouts use.
#pragma once

void registerKitClasses();
