#pragma once
// Makes the labelled controls known to the layout reader, so that a stored layout can name them.
void RegisterControlClasses();
