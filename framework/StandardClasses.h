#pragma once
// Registers the framework's component classes that layouts may name.
void RegisterStandardClasses();
