#pragma once
// Lets an end-to-end test act as the user of a program it starts, where no input can be sent
// (offscreen): TARNEL_TEST_TYPE types its text into a new editor window once the start-up is
// done; TARNEL_TEST_PRESS presses the button of that caption (without "&") in the first modal
// box that has one. Nothing happens when neither is set.
class MainWindow;
class TEmbedded;

void installTestDrive(TEmbedded& app, MainWindow& window);
