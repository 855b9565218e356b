// Brickfall: knock down a wall of bricks with a ball and a paddle.
//
// The paddle follows the mouse, or the Left and Right keys. While the ball
// rests on the paddle, hold Space to swing the aim and let go to launch, or
// click to launch along the aim shown. P pauses. Three balls make a game; a
// cleared wall is built again. At the end Return (or a click on the button)
// plays again. The best score is kept in a file (best_score.h).
//
// The runtime's process entry calls applyGameSettings, opens the window and
// calls gameMain, which never returns: the program ends through the runtime
// (Escape, the window's close button, or MORVANE_FRAMES in unattended runs).
// Its media travel appended to the executable and load by plain name. All
// timing is counted in frames and all chance comes from rnd(), so a recorded
// run replays frame for frame.
//
// With BRICKFALL_TRACE=1 it also prints what happens on standard output, for
// tests: "ready BEST", "serve", "aim", "launch X ANGLE", "paddle X" when an
// arrow key comes up, "falling X" when the ball turns down, "bounce HANDLE",
// "brick COLUMN ROW SCORE HANDLE", "lost BALLS HANDLE", "pause X Y",
// "resume X Y", "over SCORE BEST" and "restart BEST".
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "morvane/morvane.h"

#include "best_score.h"

namespace brickfall {
namespace {

using mvn::rgb;

constexpr int kWidth = 640, kHeight = 480;
constexpr int kTop = 40;                         // the bar with the score above the field
constexpr int kLeftWall = 8, kRightWall = kWidth - 8;

constexpr int kColumns = 10, kRows = 6;
constexpr int kBrickWidth = 56, kBrickHeight = 20;
constexpr int kBricksLeft = 22, kBricksTop = 72;  // the wall's top-left brick
constexpr int kBrickStepX = 60, kBrickStepY = 24;

constexpr int kPaddleY = 440, kPaddleHalf = 40, kPaddleHeight = 12;
constexpr int kPaddleSpeed = 8;  // pixels a frame on the arrow keys
constexpr int kBallRadius = 6;
constexpr double kStartSpeed = 5.5;  // pixels a frame
constexpr int kBalls = 3;

// Slots of the media.
constexpr int kBrickSprite = 1;  // brick.png, light grey: each row tints it
constexpr int kBounceSound = 1, kCrackSound = 2, kLoseSound = 3;
constexpr int kBuiltinFont = 0, kBrickFont = 1;

constexpr int kRowColours[kRows] = {rgb(255, 80, 80), rgb(255, 160, 60), rgb(255, 230, 80),
                                    rgb(110, 220, 90), rgb(80, 200, 230), rgb(140, 120, 255)};
constexpr int kGold = rgb(255, 215, 0);

enum class State { kServing, kFlying, kPaused, kOver };

// The play.
State state = State::kServing;
int bricks[kColumns][kRows];  // 0 gone, 1 standing, 2 a gold brick (double points)
int bricksLeft = 0;
int score = 0, best = 0, ballsLeft = kBalls, wallsCleared = 0;
double paddleX = kWidth / 2;
double ballX = 0, ballY = 0, velocityX = 0, velocityY = 0, speed = kStartSpeed;
int aimFrames = 0;           // frames Space has been held while serving
double aimAngle = 90;        // degrees; 90 straight up
int shakeFrames = 0;         // the screen shakes after a lost ball
int lastMouseX = -1;

// A ring that grows where a brick broke.
struct Ring {
  double x = 0, y = 0;
  int age = 0, colour = 0;
};
constexpr int kRingFrames = 16;
Ring rings[8];
int nextRing = 0;

bool tracing = false;

void trace(const std::string& line) {
  if (!tracing) return;
  std::printf("%s\n", line.c_str());
  std::fflush(stdout);
}

// Sounds are panned to where the ball is.
int play(int sound) {
  const double pan = (ballX - kWidth / 2) / (kWidth / 2);
  return mvn::playSound(sound, pan, 0.8);
}

int brickX(int column) { return kBricksLeft + column * kBrickStepX; }
int brickY(int row) { return kBricksTop + row * kBrickStepY; }

void buildWall() {
  for (int column = 0; column < kColumns; ++column) {
    for (int row = 0; row < kRows; ++row) bricks[column][row] = 1;
  }
  for (int i = 0; i < 3; ++i) bricks[mvn::rnd(kColumns - 1)][mvn::rnd(kRows - 1)] = 2;
  bricksLeft = kColumns * kRows;
}

void serve() {
  state = State::kServing;
  aimFrames = 0;
  aimAngle = 90;
  trace("serve");
}

void newGame() {
  score = 0;
  ballsLeft = kBalls;
  wallsCleared = 0;
  speed = kStartSpeed;
  buildWall();
  serve();
}

void launch() {
  velocityX = speed * mvn::cosDeg(aimAngle);
  velocityY = -speed * mvn::sinDeg(aimAngle);
  state = State::kFlying;
  trace("launch " + std::to_string(int(ballX)) + " " + std::to_string(int(aimAngle)));
}

// Bounces that send the ball down are announced for tests.
void turnDown() {
  velocityY = std::abs(velocityY);
  trace("falling " + std::to_string(int(ballX)));
}

void movePaddle() {
  int x = 0, y = 0, left = 0, right = 0;
  mvn::mouseState(x, y, left, right);
  if (lastMouseX >= 0 && x != lastMouseX) paddleX = x;  // the mouse moved: it leads
  lastMouseX = x;
  if (mvn::isKeyDown(mvn::kKeyLeft)) paddleX -= kPaddleSpeed;
  if (mvn::isKeyDown(mvn::kKeyRight)) paddleX += kPaddleSpeed;
  if (paddleX < kLeftWall + kPaddleHalf) paddleX = kLeftWall + kPaddleHalf;
  if (paddleX > kRightWall - kPaddleHalf) paddleX = kRightWall - kPaddleHalf;
  if (mvn::keyWentUp(mvn::kKeyLeft) || mvn::keyWentUp(mvn::kKeyRight)) {
    trace("paddle " + std::to_string(int(paddleX)));
  }
}

// On the paddle: Space held swings the aim, letting go launches; a click
// launches along the aim as it stands.
void aim() {
  ballX = paddleX;
  ballY = kPaddleY - kBallRadius;
  if (mvn::keyWentDown(mvn::kKeySpace)) {
    aimFrames = 0;
    trace("aim");
  }
  if (mvn::isKeyDown(mvn::kKeySpace)) {
    ++aimFrames;
    aimAngle = 90 + 50 * mvn::sinDeg(aimFrames * 3);
  }
  if (mvn::keyWentUp(mvn::kKeySpace) || mvn::mouseButtonWentDown(1)) launch();
}

// The box the ball fills.
bool ballTouches(int x, int y, int width, int height) {
  return mvn::rectsOverlap(int(ballX) - kBallRadius, int(ballY) - kBallRadius, 2 * kBallRadius,
                           2 * kBallRadius, x, y, width, height) != 0;
}

// At most one brick a frame: the ball turns back the way it came in.
void hitBricks(double previousX) {
  for (int column = 0; column < kColumns; ++column) {
    for (int row = 0; row < kRows; ++row) {
      if (!bricks[column][row] || !ballTouches(brickX(column), brickY(row), kBrickWidth, kBrickHeight)) continue;
      const bool fromSide = previousX + kBallRadius <= brickX(column) ||
                            previousX - kBallRadius >= brickX(column) + kBrickWidth;
      if (fromSide) {
        velocityX = -velocityX;
      } else if (velocityY < 0) {
        turnDown();
      } else {
        velocityY = -velocityY;
      }
      const int points = (kRows - row) * 10 * bricks[column][row];
      rings[nextRing] = {ballX, ballY, 0, bricks[column][row] == 2 ? kGold : kRowColours[row]};
      nextRing = (nextRing + 1) % 8;
      bricks[column][row] = 0;
      score += points;
      trace("brick " + std::to_string(column) + " " + std::to_string(row) + " " + std::to_string(score) + " " +
            std::to_string(play(kCrackSound)));
      if (--bricksLeft == 0) {  // a new wall, and a quicker ball
        ++wallsCleared;
        speed += 0.5;
        buildWall();
      }
      return;
    }
  }
}

void gameOver() {
  state = State::kOver;
  if (score > best) {
    best = score;
    if (!writeBestScore(bestScorePath(), best)) mvn::logLine("brickfall: cannot write " + bestScorePath() + "\n");
  }
  trace("over " + std::to_string(score) + " " + std::to_string(best));
}

void fly() {
  const double previousX = ballX;
  ballX += velocityX;
  ballY += velocityY;
  if (ballX - kBallRadius < kLeftWall || ballX + kBallRadius > kRightWall) {
    const bool left = ballX < kWidth / 2;
    ballX = left ? kLeftWall + kBallRadius : kRightWall - kBallRadius;
    velocityX = left ? std::abs(velocityX) : -std::abs(velocityX);
    trace("bounce " + std::to_string(play(kBounceSound)));
  }
  if (ballY - kBallRadius < kTop) {
    ballY = kTop + kBallRadius;
    turnDown();
    trace("bounce " + std::to_string(play(kBounceSound)));
  }
  // The paddle sends the ball off at an angle that depends on where it lands.
  if (velocityY > 0 && ballTouches(int(paddleX) - kPaddleHalf, kPaddleY, 2 * kPaddleHalf, kPaddleHeight)) {
    const double offset = (ballX - paddleX) / kPaddleHalf;  // -1 at the left end, 1 at the right
    double angle = 90 - 60 * (offset < -1 ? -1 : offset > 1 ? 1 : offset);
    // Never straight up: a ball that went up and down one line forever would be no game.
    if (angle > 80 && angle < 100) angle = velocityX < 0 ? 100 : 80;
    velocityX = speed * mvn::cosDeg(angle);
    velocityY = -speed * mvn::sinDeg(angle);
    trace("bounce " + std::to_string(play(kBounceSound)));
  }
  hitBricks(previousX);
  if (ballY - kBallRadius > kHeight) {
    --ballsLeft;
    shakeFrames = 20;
    trace("lost " + std::to_string(ballsLeft) + " " + std::to_string(play(kLoseSound)));
    if (ballsLeft == 0) {
      gameOver();
    } else {
      serve();
    }
  }
}

void togglePause() {
  const std::string where = std::to_string(int(ballX)) + " " + std::to_string(int(ballY));
  if (state == State::kPaused) {
    state = State::kFlying;
    trace("resume " + where);
  } else if (state == State::kFlying) {
    state = State::kPaused;
    trace("pause " + where);
  }
}

// The button at the end of a game.
constexpr int kButtonX = 250, kButtonY = 300, kButtonWidth = 140, kButtonHeight = 36;

void update() {
  if (mvn::keyWentDown(mvn::kKeyP)) togglePause();
  switch (state) {
    case State::kServing:
      movePaddle();
      aim();
      break;
    case State::kFlying:
      movePaddle();
      fly();
      break;
    case State::kPaused:
      break;
    case State::kOver: {
      int x = 0, y = 0, left = 0, right = 0;
      mvn::mouseState(x, y, left, right);
      const bool onButton = mvn::pointInRect(x, y, kButtonX, kButtonY, kButtonWidth, kButtonHeight);
      if (mvn::keyWentDown(mvn::kKeyReturn) || (mvn::mouseButtonWentDown(1) && onButton)) {
        trace("restart " + std::to_string(best));
        newGame();
      }
      break;
    }
  }
  for (Ring& ring : rings) {
    if (ring.age < kRingFrames && state != State::kPaused) ++ring.age;
  }
  if (shakeFrames > 0) --shakeFrames;
}

// Text centred on x, in the current font.
void printCentred(const std::string& text, int x, int y) { mvn::print(text, x - mvn::textWidth(text, 1) / 2, y, 1); }

void drawField() {
  // A shake after a lost ball: the camera moves, everything drawn in the field moves with it.
  if (shakeFrames > 0) mvn::setCameraOffset(mvn::rnd(8) - 4, mvn::rnd(8) - 4);
  mvn::drawRect(kLeftWall, kTop, kRightWall - kLeftWall, kHeight - kTop, rgb(18, 20, 40));
  mvn::drawWideLine(kLeftWall - 3, kTop, kLeftWall - 3, kHeight, 6, rgb(90, 100, 140));
  mvn::drawWideLine(kRightWall + 3, kTop, kRightWall + 3, kHeight, 6, rgb(90, 100, 140));

  for (int column = 0; column < kColumns; ++column) {
    for (int row = 0; row < kRows; ++row) {
      if (!bricks[column][row]) continue;
      mvn::setTint(bricks[column][row] == 2 ? kGold : kRowColours[row]);
      mvn::drawSprite(kBrickSprite, brickX(column), brickY(row));
    }
  }
  mvn::setTint(rgb(255, 255, 255));
  mvn::drawRectOutline(int(paddleX) - kPaddleHalf, kPaddleY, 2 * kPaddleHalf, kPaddleHeight, rgb(40, 60, 120));

  for (const Ring& ring : rings) {
    if (ring.age >= kRingFrames) continue;
    mvn::setAlphaMode(-(1 - ring.age / double(kRingFrames)));
    mvn::drawCircle(ring.x, ring.y, 8 + 2 * ring.age, ring.colour);
  }
  mvn::setAlphaMode(-1);

  mvn::fillEllipse(paddleX, kPaddleY + kPaddleHeight / 2, kPaddleHalf, kPaddleHeight / 2, rgb(120, 170, 255));
  mvn::fillEllipse(paddleX, kPaddleY + 3, kPaddleHalf - 8, 2, rgb(220, 235, 255));
  if (state == State::kServing) {  // the aim: a faint line from the ball
    mvn::setAlphaMode(-0.5);
    mvn::drawWideLine(ballX, ballY, ballX + 70 * mvn::cosDeg(aimAngle), ballY - 70 * mvn::sinDeg(aimAngle), 3,
                      rgb(255, 255, 255));
    mvn::setAlphaMode(-1);
  }
  mvn::fillCircle(ballX, ballY, kBallRadius, rgb(250, 250, 250));
  mvn::drawCircle(ballX, ballY, kBallRadius, rgb(120, 130, 160));
  mvn::setCameraOffset(0, 0);
}

void drawBar() {
  mvn::drawRect(0, 0, kWidth, kTop, rgb(30, 32, 56));
  mvn::setFont(kBuiltinFont, 2);
  mvn::setTint(rgb(255, 220, 64));  // the built-in font is white: the tint makes it gold
  mvn::print("SCORE " + std::to_string(score), 16, 12, 1);
  mvn::setTint(rgb(160, 200, 255));
  const std::string bestText = "BEST " + std::to_string(best);
  mvn::print(bestText, kWidth - 16 - mvn::textWidth(bestText, 1), 12, 1);
  mvn::setTint(rgb(255, 255, 255));

  mvn::setFont(kBrickFont, 1);
  mvn::setTint(rgb(255, 140, 90));
  printCentred("BRICKFALL", kWidth / 2, 4);
  mvn::setTint(rgb(255, 255, 255));
  for (int i = 0; i < ballsLeft; ++i) mvn::fillCircle(kWidth / 2 - 20 + 20 * i, 30, 4, rgb(250, 250, 250));
}

void drawMessages() {
  if (state == State::kServing) {
    mvn::setFont(kBuiltinFont, 1);
    mvn::setTint(rgb(200, 200, 220));
    printCentred("Hold Space to aim, let go to launch - or click", kWidth / 2, 462);
  } else if (state == State::kPaused) {
    mvn::setFont(kBrickFont, 2);
    mvn::setTint(rgb(120, 220, 255));
    printCentred("PAUSED", kWidth / 2, 250);
    mvn::setFont(kBuiltinFont, 1);
    mvn::setTint(rgb(200, 200, 220));
    printCentred("P plays on", kWidth / 2, 292);
  } else if (state == State::kOver) {
    mvn::setAlphaMode(-0.7);
    mvn::drawRect(0, kTop, kWidth, kHeight - kTop, rgb(0, 0, 0));
    mvn::setAlphaMode(-1);
    mvn::setFont(kBrickFont, 3);
    mvn::setTint(rgb(255, 70, 60));
    printCentred("GAME OVER", kWidth / 2, 180);
    mvn::setFont(kBuiltinFont, 2);
    mvn::setTint(rgb(255, 220, 64));
    printCentred(score > 0 && score == best ? "A new best: " + std::to_string(score) : "Score " + std::to_string(score),
                 kWidth / 2, 250);

    int x = 0, y = 0, left = 0, right = 0;
    mvn::mouseState(x, y, left, right);
    const bool onButton = mvn::pointInRect(x, y, kButtonX, kButtonY, kButtonWidth, kButtonHeight);
    mvn::setTint(rgb(255, 255, 255));
    mvn::drawRect(kButtonX, kButtonY, kButtonWidth, kButtonHeight, onButton ? rgb(70, 90, 160) : rgb(40, 50, 90));
    mvn::drawRectOutline(kButtonX, kButtonY, kButtonWidth, kButtonHeight, rgb(160, 190, 255));
    mvn::setFont(kBrickFont, 1);
    printCentred("PLAY AGAIN", kWidth / 2, kButtonY + 10);
    mvn::setFont(kBuiltinFont, 1);
    mvn::setTint(rgb(200, 200, 220));
    printCentred("or press Return", kWidth / 2, kButtonY + 50);
  }
  mvn::setTint(rgb(255, 255, 255));
}

}  // namespace
}  // namespace brickfall

namespace mvn {

void applyGameSettings() {
  runtimeSettings.screenWidth = brickfall::kWidth;
  runtimeSettings.screenHeight = brickfall::kHeight;
  runtimeSettings.fullScreen = 0;
  runtimeSettings.exclusiveMouse = 0;
  runtimeSettings.frameRate = 60;
  runtimeSettings.debugMode = 0;
  runtimeSettings.multisample = 0;
  runtimeSettings.appName = "Brickfall";
}

void gameMain() {
  using namespace brickfall;
  const char* traceSetting = std::getenv("BRICKFALL_TRACE");
  tracing = traceSetting != nullptr && *traceSetting != '\0' && *traceSetting != '0';

  // None of these is on disk: they come from the archive appended to the executable.
  loadSprite("brick.png", kBrickSprite);
  loadFont("brickfont.png", kBrickFont);
  loadSound("bounce.wav", kBounceSound, 2);
  loadSound("crack.wav", kCrackSound, 3);
  loadSound("lose.wav", kLoseSound, 1);
  clearScreen(rgb(8, 8, 16));

  best = readBestScore(bestScorePath());
  trace("ready " + std::to_string(best));
  newGame();
  for (;;) {
    update();
    drawField();
    drawBar();
    drawMessages();
    showScreen();
  }
}

}  // namespace mvn
