// The TCP connection to a zone: connecting, the connected and disconnected window states,
// receiving lines and sending them.
#pragma once

#include <string>

namespace orva {

struct FrmMain;

// Starts a connection to the zone selected in lstZones and returns; the wait for it (at most
// 10 seconds) runs on timer and socket events.
void Connect_It(FrmMain& f);
void ConnectionEstablished(FrmMain& f);
// The end of the 10-second connect wait without a connection.
void connectWaitExpired(FrmMain& f);
// Does not close the socket; every caller does.
void ConnectionClosed(FrmMain& f);

void cmdConnect_Click(FrmMain& f);
void menu_Connect_Click(FrmMain& f);
void menu_Disconnect_Click(FrmMain& f);
void tmrHalter_Timer(FrmMain& f);
// Connect is available exactly while there are zones (the menu item waits for tmrHalter).
void lstZones_GotFocus(FrmMain& f);

void sckClient_Connect(FrmMain& f);
void sckClient_DataArrival(FrmMain& f, const std::string& bytes);
void sckClient_Close(FrmMain& f);
void sckClient_Error(FrmMain& f);

// Sends one line and a line feed while connected; login lines are traced without their text.
// Text from the first CR or LF on is not sent. The line joins the outgoing queue: it leaves at
// once unless lines are waiting before it or it is a chat line ("SEND:") beyond the allowance.
void SendLine(FrmMain& f, const std::string& line);
// Sends a line ahead of the queue (the login line, the answer to the server's keep-alive).
void SendLineAtOnce(FrmMain& f, const std::string& line);
// Sends the waiting lines that may leave now, and waits for the allowance for the rest.
void SendWaitingLines(FrmMain& f);
// Removes every trailing CR and LF.
std::string StripLineEnd(std::string text);

// The message of a connect attempt that did not reach the server.
inline constexpr const char* kConnectFailedText =
    "Could not establish a connection with remote host; please try again later.\r\n\r\n"
    "If the zone was able to be pinged, and a result was given; you may be attempting to "
    "login to a subgame server.";
inline constexpr const char* kConnectFailedTitle = "Connection Failed";

// The login line for the form's name and password.
std::string LoginLine(const FrmMain& f);

}  // namespace orva
