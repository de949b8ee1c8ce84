#ifndef VARNEL_CONTROLS_CONTROLCURSORS_H
#define VARNEL_CONTROLS_CONTROLCURSORS_H

// Installs the controls' cursor pictures, once: "POINTCURSOR" in place of the platform's
// pointing hand, and the hands "PRO_HANDPOINT", "PRO_SMALLHANDPOINT", "PRO_GRABHAND",
// "PRO_GRABHANDARROW" and "PRO_DRAGHAND" under their numbers. Called at start, before any
// control is made, since a control takes its cursor when it is made.
void InstallControlCursors();

#endif
