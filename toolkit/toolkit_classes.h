#pragma once
// Names the toolkit's control classes in the class registry, so that stored layouts can create them.
void RegisterToolkitClasses();
